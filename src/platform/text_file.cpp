#include "platform/text_file.h"

#include "platform/basic_error.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>

#include <algorithm>
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

bool LineReader::fill()
{
    if (m_pos < m_buffer.size())
        return true;
    constexpr qint64 kChunk = 64 * 1024;
    m_buffer = m_file.read(kChunk);
    m_pos = 0;
    if (m_buffer.isEmpty() && m_file.error() != QFileDevice::NoError)
        m_damaged = true;
    return !m_buffer.isEmpty();
}

bool LineReader::atEnd()
{
    return !fill();
}

QString LineReader::next()
{
    if (!fill())
        throwError(err::InputPastEnd);
    QByteArray line;
    while (fill()) {
        const char *data = m_buffer.constData() + m_pos;
        const qsizetype left = m_buffer.size() - m_pos;
        qsizetype end = 0;
        while (end < left && data[end] != '\n' && data[end] != '\r')
            ++end;
        const qsizetype room = kMaxLine - line.size();
        if (end > room)
            m_damaged = true;
        line.append(data, std::min(end, room));
        m_pos += end;
        if (end == left)
            continue;  // the line goes on in the next chunk
        const bool cr = data[end] == '\r';
        ++m_pos;
        if (cr && fill() && m_buffer.at(m_pos) == '\n')
            ++m_pos;
        break;
    }
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
        qsizetype at = i + 1;
        for (;;) {
            const qsizetype quote = m_rest.indexOf(QLatin1Char('"'), at);
            if (quote < 0) {
                field += QStringView(m_rest).mid(at);
                at = m_rest.size();
                break;
            }
            field += QStringView(m_rest).mid(at, quote - at);
            if (quote + 1 < m_rest.size() && m_rest.at(quote + 1) == QLatin1Char('"')) {
                field += QLatin1Char('"');
                at = quote + 2;
                continue;
            }
            at = quote;
            break;
        }
        end = m_rest.indexOf(QLatin1Char(','), at);
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
