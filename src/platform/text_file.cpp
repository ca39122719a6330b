#include "platform/text_file.h"

#include "platform/basic_error.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>

#include <array>

namespace pelquin {

namespace {

QString fromWindows1252(const QByteArray &bytes)
{
    // The bytes 0x80 to 0x9F differ from Latin-1; five of them are unassigned.
    static constexpr std::array<char16_t, 32> high{
        0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
        0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
        0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
        0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
    QString text;
    text.reserve(bytes.size());
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        text.append(b >= 0x80 && b < 0xA0 ? QChar(high[b - 0x80]) : QChar(b));
    }
    return text;
}

}  // namespace

QString decodeLine(const QByteArray &bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    return fromWindows1252(bytes);
}

LineReader::LineReader(const QString &path) : m_file(path)
{
    const QFileInfo info(path);
    if (!info.exists())
        throwError(err::FileNotFound);
    if (info.isDir() || !m_file.open(QIODevice::ReadOnly))
        throwError(err::PathFileAccess);
}

bool LineReader::atEnd() const
{
    return m_file.atEnd();
}

QString LineReader::next()
{
    if (m_file.atEnd())
        throwError(err::InputPastEnd);
    // A line longer than any sane address is cut, and the rest of it skipped, so that a
    // damaged or binary file cannot take all memory.
    constexpr qint64 kMaxLine = 1 << 20;
    QByteArray line = m_file.readLine(kMaxLine);
    if (line.endsWith('\n')) {
        line.chop(1);
    } else {
        char c = 0;
        while (m_file.getChar(&c) && c != '\n') {
        }
    }
    if (line.endsWith('\r'))
        line.chop(1);
    return decodeLine(line);
}

QString FieldReader::next()
{
    if (!m_pending) {
        m_rest = m_lines.next();
        m_pending = true;
    }
    qsizetype i = 0;
    while (i < m_rest.size() && m_rest.at(i) == QLatin1Char(' '))
        ++i;
    QString field;
    qsizetype end;
    if (i < m_rest.size() && m_rest.at(i) == QLatin1Char('"')) {
        const qsizetype close = m_rest.indexOf(QLatin1Char('"'), i + 1);
        const qsizetype stop = close < 0 ? m_rest.size() : close;
        field = m_rest.mid(i + 1, stop - i - 1);
        end = m_rest.indexOf(QLatin1Char(','), stop);
    } else {
        end = m_rest.indexOf(QLatin1Char(','), i);
        field = m_rest.mid(i, (end < 0 ? m_rest.size() : end) - i);
    }
    if (end < 0) {
        m_pending = false;
        m_rest.clear();
    } else {
        m_rest = m_rest.mid(end + 1);
    }
    return field;
}

void writeTextFile(const QString &path, const QStringList &lines)
{
    const QFileInfo info(path);
    if (!info.absoluteDir().exists())
        throwError(err::PathNotFound);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throwError(err::PathFileAccess);
    QByteArray bytes;
    for (const QString &line : lines) {
        bytes += line.toUtf8();
        bytes += "\r\n";
    }
    if (file.write(bytes) != bytes.size() || !file.commit())
        throwError(err::PathFileAccess);
}

}  // namespace pelquin
