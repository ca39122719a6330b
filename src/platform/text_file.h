#pragma once

#include <QFile>
#include <QString>
#include <QStringList>

#include <optional>

namespace pelquin {

// Our text files are UTF-8; files written by other means may be in Windows-1252.
QString decodeLine(const QByteArray &bytes);

// Reads a text file line by line (CR LF or LF), without holding it all in memory.
// Opening a missing file raises error 53; one that cannot be read raises 75.
class LineReader {
public:
    explicit LineReader(const QString &path);
    bool atEnd() const;
    // The next line without its line end; error 62 past the end of the file.
    QString next();

private:
    QFile m_file;
};

// Reads fields the way the Basic runtime's Input statement does: blanks before a field are
// skipped, a field that begins with a double quote runs to the next one, any other runs to
// the next comma or the end of the line, and the comma or line end is consumed with it.
class FieldReader {
public:
    explicit FieldReader(const QString &path) : m_lines(path) {}
    bool atEnd() const { return !m_pending && m_lines.atEnd(); }
    QString next();

private:
    LineReader m_lines;
    QString m_rest;
    bool m_pending = false;  // m_rest still holds fields of the current line
};

// Writes the lines with CR LF ends into a temporary file beside `path` and renames it over
// the old file, so a failed write keeps the old file whole. Raises 76 or 75 on failure.
void writeTextFile(const QString &path, const QStringList &lines);

}  // namespace pelquin
