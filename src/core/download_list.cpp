#include "core/download_list.h"

#include <QDir>
#include <QFileInfo>

namespace pelquin {

namespace {

// The file system's 255 bytes, less room for a " (n)" that makes the name unique and for the
// ".download" the engine adds to the partial file.
constexpr int kMaxNameBytes = 255 - 6 - 9;
constexpr int kMaxNameLength = 120;  // characters: a name the Downloads window can show

// The longest start of `text` that takes at most `bytes` bytes in UTF-8 and `maxLength`
// UTF-16 units, never cutting a character in two.
QString fitBytes(const QString &text, qsizetype bytes, qsizetype maxLength)
{
    qsizetype used = 0;
    qsizetype end = 0;
    while (end < text.size()) {
        const bool pair = text.at(end).isHighSurrogate() && end + 1 < text.size() &&
                          text.at(end + 1).isLowSurrogate();
        const qsizetype units = pair ? 2 : 1;
        const qsizetype size = QStringView(text).mid(end, units).toUtf8().size();
        if (used + size > bytes || end + units > maxLength)
            break;
        used += size;
        end += units;
    }
    return text.left(end);
}

bool unsafeCharacter(QChar c)
{
    static const QString special = QStringLiteral("/\\:*?\"<>|`$");
    return c.category() == QChar::Other_Control || c.category() == QChar::Other_Format ||
           c.category() == QChar::Separator_Line || c.category() == QChar::Separator_Paragraph ||
           special.contains(c);
}

}  // namespace

QString safeDownloadName(const QString &suggested)
{
    // A server may send a whole path: only its last part names the file.
    QString name = suggested;
    name.replace(QLatin1Char('\\'), QLatin1Char('/'));
    name = name.section(QLatin1Char('/'), -1);
    QString clean;
    for (const QChar c : std::as_const(name))
        clean += unsafeCharacter(c) ? QLatin1Char('_') : c;
    clean = clean.simplified();
    while (clean.startsWith(QLatin1Char('.')) || clean.startsWith(QLatin1Char('-')))
        clean.remove(0, 1);
    while (clean.endsWith(QLatin1Char('.')))
        clean.chop(1);
    if (clean.trimmed().isEmpty())
        clean = QStringLiteral("download");
    if (clean.size() > kMaxNameLength || clean.toUtf8().size() > kMaxNameBytes) {
        // Cut by bytes, not characters: 90 characters of Chinese are 270 bytes.
        const QString suffix = QFileInfo(clean).suffix();
        const QString kept = suffix.size() <= 16 ? suffix : QString();
        const QString base = kept.isEmpty() ? clean : clean.chopped(kept.size() + 1);
        const QString dotted = kept.isEmpty() ? QString() : QLatin1Char('.') + kept;
        clean = fitBytes(base, kMaxNameBytes - dotted.toUtf8().size(),
                         kMaxNameLength - dotted.size()).trimmed() + dotted;
    }
    return clean;
}

QString uniqueDownloadPath(const QString &folder, const QString &name,
                           const QSet<QString> &taken)
{
    const QDir dir(folder);
    const QString path = dir.filePath(name);
    const auto free = [&](const QString &candidate) {
        return !taken.contains(candidate) && !QFileInfo::exists(candidate) &&
               !QFileInfo(candidate).isSymLink();
    };
    if (free(path))
        return path;
    const QFileInfo info(name);
    const QString base = info.completeBaseName().isEmpty() ? name : info.completeBaseName();
    const QString suffix = info.completeBaseName().isEmpty() || info.suffix().isEmpty()
                               ? QString()
                               : QLatin1Char('.') + info.suffix();
    for (int n = 1;; ++n) {
        const QString candidate = dir.filePath(QStringLiteral("%1 (%2)%3").arg(base).arg(n)
                                                   .arg(suffix));
        if (free(candidate))
            return candidate;
    }
}

QString sizeText(qint64 bytes)
{
    if (bytes < 0)
        return QStringLiteral("unknown size");
    if (bytes < 1024)
        return QStringLiteral("%1 bytes").arg(bytes);
    if (bytes < 1024 * 1024)
        return QStringLiteral("%1 KB").arg(double(bytes) / 1024, 0, 'f', 1);
    return QStringLiteral("%1 MB").arg(double(bytes) / (1024 * 1024), 0, 'f', 1);
}

QString downloadStateText(const DownloadEntry &entry)
{
    switch (entry.state) {
    case DownloadEntry::State::InProgress:
        if (entry.total > 0)
            return QStringLiteral("%1%").arg(entry.received * 100 / entry.total);
        return QStringLiteral("downloading");
    case DownloadEntry::State::Finished:
        return QStringLiteral("finished");
    case DownloadEntry::State::Cancelled:
        return QStringLiteral("cancelled");
    case DownloadEntry::State::Failed:
        return QStringLiteral("failed");
    }
    return {};
}

QString downloadStatusText(const DownloadEntry &entry)
{
    switch (entry.state) {
    case DownloadEntry::State::InProgress:
        return QStringLiteral("Downloading %1: %2 of %3").arg(entry.fileName,
                                                             sizeText(entry.received),
                                                             sizeText(entry.total));
    case DownloadEntry::State::Finished:
        return QStringLiteral("Download finished: %1 saved in %2")
            .arg(entry.fileName, QFileInfo(entry.path).absolutePath());
    case DownloadEntry::State::Cancelled:
        return QStringLiteral("Download cancelled: %1").arg(entry.fileName);
    case DownloadEntry::State::Failed:
        return QStringLiteral("Download failed: %1").arg(entry.fileName);
    }
    return {};
}

int DownloadList::add(DownloadEntry entry, std::function<void()> cancel)
{
    entry.id = m_nextId++;
    m_entries.append(entry);
    m_cancel[entry.id] = std::move(cancel);
    emit added(entry.id);
    return entry.id;
}

DownloadEntry *DownloadList::entry(int id)
{
    for (DownloadEntry &e : m_entries) {
        if (e.id == id)
            return &e;
    }
    return nullptr;
}

const DownloadEntry *DownloadList::find(int id) const
{
    return const_cast<DownloadList *>(this)->entry(id);
}

void DownloadList::setProgress(int id, qint64 received, qint64 total)
{
    DownloadEntry *e = entry(id);
    if (!e || e->state != DownloadEntry::State::InProgress)
        return;
    e->received = received;
    e->total = total;
    emit changed(id);
}

void DownloadList::setState(int id, DownloadEntry::State state)
{
    DownloadEntry *e = entry(id);
    if (!e || e->state != DownloadEntry::State::InProgress || state == e->state)
        return;
    e->state = state;
    m_cancel.erase(id);
    emit changed(id);
}

void DownloadList::cancel(int id)
{
    const auto it = m_cancel.find(id);
    if (it == m_cancel.end())
        return;
    const std::function<void()> stop = it->second;
    if (stop)
        stop();
    setState(id, DownloadEntry::State::Cancelled);
}

void DownloadList::cancelAll()
{
    std::vector<int> running;
    for (const auto &[id, stop] : m_cancel)
        running.push_back(id);
    for (const int id : running)
        cancel(id);
}

int DownloadList::activeCount() const
{
    return int(std::count_if(m_entries.begin(), m_entries.end(), [](const DownloadEntry &e) {
        return e.state == DownloadEntry::State::InProgress;
    }));
}

QSet<QString> DownloadList::activePaths() const
{
    QSet<QString> paths;
    for (const DownloadEntry &e : m_entries) {
        if (e.state == DownloadEntry::State::InProgress)
            paths.insert(e.path);
    }
    return paths;
}

}  // namespace pelquin
