#include "core/address_history.h"

#include "core/typed_address.h"
#include "platform/text_file.h"

namespace pelquin {

QString AddressHistory::request(int i) const
{
    return m_model.data(m_model.index(i - 1), Qt::DisplayRole).toString();
}

void AddressHistory::setRequests(const QStringList &entries)
{
    const QStringList kept = entries.mid(0, kMaxEntries);
    m_upper.clear();
    for (const QString &entry : kept)
        m_upper.insert(entry.toUpper());
    m_model.setStringList(kept);
}

void AddressHistory::loadFile(const QStringList &entries, bool whole)
{
    setRequests(entries);
    m_mayRewriteFile = whole && entries.size() <= kMaxEntries;
}

void AddressHistory::append(const QString &entry)
{
    const int row = m_model.rowCount();
    if (row >= kMaxEntries)
        return;  // the list is full: the address still navigates, it is just not kept
    m_model.insertRows(row, 1);
    m_model.setData(m_model.index(row), entry);
    m_upper.insert(entry.toUpper());
}

void AddressHistory::clear()
{
    m_model.setStringList({});
    m_upper.clear();
    m_mayRewriteFile = true;
}

namespace {

// Drops a leading "http://" and then a leading "https://" when the text is long enough.
QString withoutWebPrefix(QString text, bool upperCase)
{
    if (text.trimmed().isEmpty() || text.size() <= 7)
        return text;
    const Qt::CaseSensitivity cs = upperCase ? Qt::CaseSensitive : Qt::CaseInsensitive;
    if (text.startsWith(upperCase ? QStringLiteral("HTTP://") : QStringLiteral("http://"), cs))
        text = text.mid(7);
    if (text.startsWith(upperCase ? QStringLiteral("HTTPS://") : QStringLiteral("https://"), cs))
        text = text.mid(8);
    return text;
}

}  // namespace

void AddressHistory::addToHistory(QString &address)
{
    address = withoutUserInfo(address);
    const QString key = withoutWebPrefix(address.toUpper(), true);
    if (!key.isEmpty() && m_upper.contains(key))
        return;
    if (address.trimmed().isEmpty())
        return;
    address = withoutWebPrefix(address, false);
    append(address);
}

QString AddressHistory::firstStartingWith(const QString &text) const
{
    if (text.isEmpty())
        return {};  // nothing typed, nothing to complete
    const QStringList &entries = m_model.stringList();
    for (const QString &entry : entries) {
        if (entry.startsWith(text, Qt::CaseInsensitive))
            return entry;
    }
    return {};
}

QStringList readHistoryFile(const QString &path, const std::function<bool()> &limitToFifty,
                            bool *readWhole)
{
    FieldReader fields(path);
    QStringList entries;
    bool asked = false;
    bool limited = false;
    while (!fields.atEnd() && entries.size() < AddressHistory::kMaxEntries) {
        if (entries.size() == AddressHistory::kAskLimit && !asked) {
            if (limitToFifty()) {
                limited = true;
                break;
            }
            asked = true;
        }
        QString field = fields.next();
        if (!field.isEmpty())  // the program never writes an empty entry: an empty line is skipped
            entries << field;
    }
    if (readWhole)
        *readWhole = limited || (fields.atEnd() && !fields.damaged());
    return entries;
}

namespace {

bool needsQuotes(const QString &entry)
{
    return entry.contains(QLatin1Char(',')) || entry.contains(QLatin1Char('"')) ||
           entry.startsWith(QLatin1Char(' '));
}

}  // namespace

void writeHistoryFile(const QString &path, const QStringList &entries)
{
    QStringList lines;
    lines.reserve(entries.size());
    for (const QString &original : entries) {
        // A line break would split the entry into two.
        const QString entry = QString(original).replace(QLatin1Char('\r'), QLatin1Char(' '))
                                  .replace(QLatin1Char('\n'), QLatin1Char(' '));
        if (!needsQuotes(entry)) {
            lines << entry;
            continue;
        }
        QString quoted = entry;
        quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
        lines << QLatin1Char('"') + quoted + QLatin1Char('"');
    }
    writeTextFile(path, lines);
}

}  // namespace pelquin
