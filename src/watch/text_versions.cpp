#include "watch/text_versions.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>

namespace pelquin {

namespace {

// JSON may spell a character in up to six bytes; a larger file is not ours.
constexpr qint64 kLargestFile = 8 * TextVersions::kMaxBytes;

qsizetype charSize(QChar c)
{
    if (c.unicode() < 0x80)
        return 1;
    if (c.unicode() < 0x800 || c.isSurrogate())
        return 2;  // a surrogate pair is four bytes, two for each half
    return 3;
}

// The text's first `maxBytes` bytes, not splitting a character.
QString cutToBytes(const QString &text, qsizetype maxBytes)
{
    qsizetype bytes = 0;
    qsizetype end = 0;
    while (end < text.size() && bytes + charSize(text[end]) <= maxBytes)
        bytes += charSize(text[end++]);
    if (end > 0 && end < text.size() && text[end - 1].isHighSurrogate())
        --end;
    return text.left(end);
}

QJsonObject versionsDocument(const QString &address, const QList<TextVersion> &versions)
{
    QJsonArray list;
    for (const TextVersion &version : versions) {
        list.append(
            QJsonObject{{QStringLiteral("time"), version.time.toUTC().toString(Qt::ISODateWithMs)},
                        {QStringLiteral("text"), version.text}});
    }
    return {{QStringLiteral("address"), address}, {QStringLiteral("versions"), list}};
}

// Reads the good versions of the file into `versions`; returns what is wrong with it, if anything.
QString readVersionsFile(const QString &path, const QString &address, QList<TextVersion> &versions)
{
    QFile file(path);
    if (file.size() > kLargestFile)
        return QStringLiteral("it is too large");
    if (!file.open(QIODevice::ReadOnly))
        return file.errorString();
    QJsonParseError error;
    const QJsonObject document = QJsonDocument::fromJson(file.read(kLargestFile), &error).object();
    if (error.error != QJsonParseError::NoError)
        return error.errorString();
    // Two addresses with one digest are all but impossible; a copied file is not.
    if (document.value(QStringLiteral("address")).toString() != address
        || !document.value(QStringLiteral("versions")).isArray())
        return QStringLiteral("it does not hold this page's versions");
    QString problem;
    for (const QJsonValue &item : document.value(QStringLiteral("versions")).toArray()) {
        const QJsonObject entry = item.toObject();
        const QDateTime time = QDateTime::fromString(entry.value(QStringLiteral("time")).toString(),
                                                     Qt::ISODateWithMs);
        const QJsonValue text = entry.value(QStringLiteral("text"));
        if (time.isValid() && text.isString())
            versions.append({time.toLocalTime(), text.toString()});
        else
            problem = QStringLiteral("a version has no time or no text");
    }
    return problem;
}

}  // namespace

qsizetype utf8Size(QStringView text)
{
    qsizetype bytes = 0;
    for (QChar c : text)
        bytes += charSize(c);
    return bytes;
}

void capVersions(QList<TextVersion> &versions, int maxVersions, qsizetype maxBytes)
{
    while (versions.size() > maxVersions)
        versions.removeFirst();
    qsizetype bytes = 0;
    for (const TextVersion &version : versions)
        bytes += utf8Size(version.text);
    while (versions.size() > 1 && bytes > maxBytes) {
        bytes -= utf8Size(versions.front().text);
        versions.removeFirst();
    }
    if (!versions.isEmpty() && bytes > maxBytes)
        versions.back().text = cutToBytes(versions.back().text, maxBytes);
}

TextVersions::TextVersions(const QString &appFolder, bool privateRun)
    : m_folder(QDir(appFolder).filePath(QStringLiteral("Versions"))), m_private(privateRun)
{
}

QString TextVersions::fileFor(const QString &address) const
{
    const QByteArray digest =
        QCryptographicHash::hash(address.toUtf8(), QCryptographicHash::Sha1).toHex();
    return QDir(m_folder).filePath(QString::fromLatin1(digest) + QStringLiteral(".json"));
}

bool TextVersions::add(const QString &address, const QString &text, const QDateTime &time)
{
    QList<TextVersion> &versions = page(address);
    if (!versions.isEmpty() && versions.back().text == text)
        return false;
    versions.append({time, text});
    capVersions(versions, kMaxVersions, kMaxBytes);
    if (!m_private)
        writeFile(address, versions);
    return true;
}

QList<TextVersion> TextVersions::versions(const QString &address) const
{
    return page(address);
}

QList<TextVersion> &TextVersions::page(const QString &address) const
{
    auto found = m_pages.find(address);
    if (found == m_pages.end())
        found = m_pages.insert(address, m_private ? QList<TextVersion>() : readFile(address));
    return *found;
}

QList<TextVersion> TextVersions::readFile(const QString &address) const
{
    const QString path = fileFor(address);
    QList<TextVersion> versions;
    if (!QFile::exists(path))
        return versions;
    const QString problem = readVersionsFile(path, address, versions);
    if (!problem.isEmpty())
        qWarning("The versions file %s is damaged and left out: %s", qUtf8Printable(path),
                 qUtf8Printable(problem));
    capVersions(versions, kMaxVersions, kMaxBytes);
    return versions;
}

void TextVersions::writeFile(const QString &address, const QList<TextVersion> &versions) const
{
    const QString path = fileFor(address);
    QSaveFile file(path);
    const QByteArray bytes =
        QJsonDocument(versionsDocument(address, versions)).toJson(QJsonDocument::Compact);
    if (!QDir().mkpath(m_folder)) {
        qWarning("The folder %s cannot be made", qUtf8Printable(m_folder));
        return;
    }
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) < 0 || !file.commit())
        qWarning("The versions of %s cannot be kept in %s: %s", qUtf8Printable(address),
                 qUtf8Printable(path), qUtf8Printable(file.errorString()));
}

}  // namespace pelquin
