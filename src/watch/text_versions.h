#pragma once

#include <QDateTime>
#include <QHash>
#include <QList>
#include <QString>

namespace pelquin {

// A watched page's text as it was read at one time.
struct TextVersion {
    QDateTime time;
    QString text;

    bool operator==(const TextVersion &) const = default;
};

// The text's size as the versions file counts it: UTF-8 bytes.
qsizetype utf8Size(QStringView text);

// Keeps at most `maxVersions` versions of at most `maxBytes` together, dropping the oldest
// first; the latest alone, when larger, is cut to its first `maxBytes`.
void capVersions(QList<TextVersion> &versions, int maxVersions, qsizetype maxBytes);

// The last versions of each watched page's text, so that what changed can be shown. They
// are kept in the folder Versions of the application folder, one file for each address, and
// so outlast the run; a private run keeps them in memory only.
class TextVersions {
public:
    static constexpr int kMaxVersions = 20;
    static constexpr qsizetype kMaxBytes = 1024 * 1024;  // for each page

    TextVersions(const QString &appFolder, bool privateRun);

    // Makes the text the page's latest version, unless it is the latest already. Returns
    // whether it was added.
    bool add(const QString &address, const QString &text, const QDateTime &time);
    // The page's versions, oldest first.
    QList<TextVersion> versions(const QString &address) const;
    // The file that keeps the page's versions: a digest of the address names it, so that any
    // address makes a good file name.
    QString fileFor(const QString &address) const;

private:
    QList<TextVersion> &page(const QString &address) const;
    QList<TextVersion> readFile(const QString &address) const;
    void writeFile(const QString &address, const QList<TextVersion> &versions) const;

    QString m_folder;
    bool m_private;
    mutable QHash<QString, QList<TextVersion>> m_pages;  // read from the files when first asked
};

}  // namespace pelquin
