#include "desktop/history_folder.h"

#include "desktop/favorites.h"
#include "platform/basic_error.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUrl>

namespace pelquin {

HistoryFolder::HistoryFolder(QString folder, int limit) : m_folder(std::move(folder)), m_limit(limit)
{
}

void HistoryFolder::index()
{
    m_indexed = true;
    const QDir dir(m_folder);
    for (const QFileInfo &file : dir.entryInfoList({QStringLiteral("*.url")}, QDir::Files)) {
        const QString address = shortcutAddress(file.filePath());
        if (!address.isEmpty())
            m_files.insert(address, file.filePath());
    }
}

void HistoryFolder::recordVisit(const QString &address, const QString &title,
                                const QDateTime &when)
{
    const QString scheme = QUrl(address).scheme();
    if (scheme != QStringLiteral("http") && scheme != QStringLiteral("https"))
        return;
    if (!QDir().mkpath(m_folder))
        return;
    if (!m_indexed)
        index();
    QString path = m_files.value(address);
    if (path.isEmpty() || !QFileInfo::exists(path)) {
        try {
            path = writeShortcut(m_folder, title.trimmed().isEmpty() ? QUrl(address).host() : title,
                                 address);
        } catch (const BasicError &) {
            return;  // a full disk loses the entry, never the page
        }
        m_files.insert(address, path);
        trim();
    }
    QFile file(path);
    if (file.open(QIODevice::ReadWrite))
        file.setFileTime(when, QFileDevice::FileModificationTime);
}

void HistoryFolder::trim()
{
    if (m_files.size() <= m_limit)
        return;
    QFileInfoList files = QDir(m_folder).entryInfoList({QStringLiteral("*.url")}, QDir::Files,
                                                       QDir::Time | QDir::Reversed);
    for (qsizetype i = 0; i < files.size() && files.size() - i > m_limit; ++i) {
        const QString path = files.at(i).filePath();
        m_files.remove(shortcutAddress(path));
        QFile::remove(path);
    }
}

QString HistoryFolder::shortcutAddress(const QString &path) const
{
    return pelquin::shortcutAddress(path);
}

}  // namespace pelquin
