#include "script/script_parser.h"

#include "address/quote_strip.h"
#include "platform/basic_error.h"

namespace pelquin {

namespace {
const QString kOpening = QStringLiteral("<SCRIPT LANGUAGE=PELSCRIPT");
const QString kClosing = QStringLiteral("></SCRIPT>");
}  // namespace

std::optional<QString> pelscriptBlock(const QString &markup)
{
    const qsizetype p = markup.indexOf(kOpening, 0, Qt::CaseInsensitive);
    if (p < 0)
        return std::nullopt;
    // The opening text and the one character after it (normally the tag's ">").
    const qsizetype start = p + kOpening.size() + 1;
    const qsizetype close = markup.indexOf(kClosing, start, Qt::CaseInsensitive);
    const QString kept = close < 0 ? QString() : markup.mid(start, close - start + 1);
    return kept + QLatin1Char(' ');
}

QString trimBlanks(const QString &text)
{
    qsizetype from = 0;
    qsizetype to = text.size();
    while (from < to && text.at(from) == QLatin1Char(' '))
        ++from;
    while (to > from && text.at(to - 1) == QLatin1Char(' '))
        --to;
    return text.mid(from, to - from);
}

QString strip(const QString &indat)
{
    QString result;
    result.reserve(indat.size());
    bool previousBlank = false;
    for (const QChar c : indat) {
        const bool blank = c == QLatin1Char(' ');
        if (!blank || !previousBlank)
            result.append(c);
        previousBlank = blank;
    }
    return result;
}

int inthescript(QStringView script)
{
    bool quoted = false;
    for (qsizetype i = 0; i < script.size(); ++i) {
        const QChar c = script[i];
        if (c == QLatin1Char('"'))
            quoted = !quoted;
        else if (!quoted && (c == QLatin1Char(' ') || c == QLatin1Char('>')))
            return static_cast<int>(i + 1);
    }
    return 0;
}

namespace {

// The statement texts, cut at blanks and ">" outside quotes. The remaining text is kept as
// a range of the stripped script, so a long script is never copied once per statement.
std::vector<QString> cutStatements(const QString &text)
{
    std::vector<QString> statements;
    qsizetype from = 0;
    qsizetype to = text.size();
    for (;;) {
        const QStringView rest = QStringView(text).mid(from, to - from);
        const int p = inthescript(rest);
        if (p == 0 || statements.size() >= size_t(kMaxStatements))
            break;
        QString statement = rest.left(p).toString();
        if (statement.endsWith(QLatin1Char('>')))
            statement.chop(1);
        statements.push_back(statement);
        from += p - 1;  // the ending character stays in the remaining text
        while (from < to && text.at(from) == QLatin1Char(' '))
            ++from;
        while (to > from && text.at(to - 1) == QLatin1Char(' '))
            --to;
        if (to - from == 1 && text.at(from) == QLatin1Char('>'))
            from = to;
    }
    return statements;
}

}  // namespace

std::vector<Statement> parseStatements(const QString &script)
{
    std::vector<Statement> statements;
    for (QString text : cutStatements(strip(script))) {
        Statement s;
        const qsizetype e = text.indexOf(QLatin1Char('='));
        if (e >= 0) {
            s.arg = stripArgumentQuotes(text.mid(e + 1));
            text.truncate(e);
        }
        const qsizetype l = text.indexOf(QLatin1Char('('));
        const qsizetype r = text.indexOf(QLatin1Char(')'));
        if (l >= 0 && r >= 0) {
            if (r < l)
                throwError(err::InvalidCall);  // a ")" before the "("
            s.ndx = text.mid(l + 1, r - l - 1);
            text = trimBlanks((text.left(l) + text.mid(r + 1)).toUpper());
        }
        s.name = text;
        statements.push_back(std::move(s));
    }
    return statements;
}

}  // namespace pelquin
