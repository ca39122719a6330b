#pragma once

#include <QFile>
#include <QString>
#include <QStringList>

#include <optional>

namespace pelquin {

// Our text files are UTF-8; files written by other means may be in Windows-1252.
QString decodeLine(const QByteArray &bytes);

// Reads a text file line by line (CR LF, LF or CR alone), without holding it all in memory.
// Opening a missing file raises error 53; one that cannot be read raises 75.
class LineReader {
public:
    // Longer lines are cut there and the rest of them skipped, so that a damaged or binary
    // file cannot take all memory.
    static constexpr qsizetype kMaxLine = 1 << 20;

    explicit LineReader(const QString &path);
    bool atEnd();
    // The next line without its line end; error 62 past the end of the file.
    QString next();
    // Whether a line was cut or a read failed: the text read is not the whole file.
    bool damaged() const { return m_damaged; }

private:
    bool fill();

    QFile m_file;
    QByteArray m_buffer;
    qsizetype m_pos = 0;
    bool m_damaged = false;
};

// Reads fields the way the Basic runtime's Input statement does: blanks before a field are
// skipped, a field that begins with a double quote runs to the next lone one (a doubled
// quote inside stands for one quote), any other runs to the next comma or the end of the
// line, and the comma or line end is consumed with it.
class FieldReader {
public:
    explicit FieldReader(const QString &path) : m_lines(path) {}
    bool atEnd() { return !m_pending && m_lines.atEnd(); }
    QString next();
    bool damaged() const { return m_lines.damaged(); }

private:
    LineReader m_lines;
    QString m_rest;
    bool m_pending = false;  // m_rest still holds fields of the current line
};

// Writes the lines with CR LF ends into a temporary file beside `path` and renames it over
// the old file, so a failed write keeps the old file whole. Raises 76 or 75 on failure.
void writeTextFile(const QString &path, const QStringList &lines);

}  // namespace pelquin
