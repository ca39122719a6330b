#include "watch/watch_rule.h"

#include <QJsonArray>

#include <cmath>

namespace pelquin {

namespace {

// Values from the file are quoted in messages; a long one is cut so the message stays readable.
QString quoted(const QString &text)
{
    constexpr int kLongest = 60;
    const QString oneLine = text.simplified();
    return QLatin1Char('"')
        + (oneLine.size() > kLongest ? oneLine.left(kLongest) + QStringLiteral("...") : oneLine)
        + QLatin1Char('"');
}

QString wrongType(const QString &key, const QString &wanted, const QJsonValue &value)
{
    return QStringLiteral("\"%1\" must be %2, not %3").arg(key, wanted, jsonKindName(value));
}

// The expression, or the message saying why it is no good.
std::optional<QRegularExpression> readPattern(const QString &key, const QString &pattern,
                                              QStringList &problems)
{
    if (pattern.isEmpty()) {
        problems << QStringLiteral("\"%1\" has an empty regular expression").arg(key);
        return std::nullopt;
    }
    QRegularExpression expression(pattern);
    if (!expression.isValid()) {
        problems << QStringLiteral("\"%1\" has a bad regular expression %2: %3")
                        .arg(key, quoted(pattern), expression.errorString());
        return std::nullopt;
    }
    return expression;
}

// A text or a list of texts, as a list.
std::optional<QStringList> readTexts(const QString &key, const QString &wanted,
                                     const QJsonValue &value, QStringList &problems)
{
    if (value.isString())
        return QStringList{value.toString()};
    if (!value.isArray()) {
        problems << wrongType(key, wanted, value);
        return std::nullopt;
    }
    QStringList texts;
    for (const QJsonValue &item : value.toArray()) {
        if (!item.isString()) {
            problems << QStringLiteral("\"%1\" must be %2, but has %3")
                            .arg(key, wanted, jsonKindName(item));
            return std::nullopt;
        }
        texts << item.toString();
    }
    return texts;
}

std::optional<QList<QRegularExpression>> readIgnore(const QString &key, const QJsonValue &value,
                                                    QStringList &problems)
{
    const auto texts =
        readTexts(key, QStringLiteral("a list of regular expressions"), value, problems);
    if (!texts)
        return std::nullopt;
    QList<QRegularExpression> expressions;
    for (const QString &text : *texts) {
        const auto expression = readPattern(key, text, problems);
        if (!expression)
            return std::nullopt;
        expressions << *expression;
    }
    return expressions;
}

std::optional<TextCondition> readCondition(const QString &key, const QJsonValue &value,
                                           QStringList &problems)
{
    if (!value.isString()) {
        problems << wrongType(key, QStringLiteral("text or /regular expression/"), value);
        return std::nullopt;
    }
    const QString text = value.toString();
    TextCondition condition;
    if (text.size() >= 2 && text.startsWith(QLatin1Char('/')) && text.endsWith(QLatin1Char('/'))) {
        const auto pattern = readPattern(key, text.mid(1, text.size() - 2), problems);
        if (!pattern)
            return std::nullopt;
        condition.isPattern = true;
        condition.pattern = *pattern;
        return condition;
    }
    condition.plain = text.simplified();
    if (condition.plain.isEmpty()) {
        problems << QStringLiteral("\"%1\" is empty").arg(key);
        return std::nullopt;
    }
    return condition;
}

std::optional<double> readNumber(const QString &key, const QJsonValue &value, QStringList &problems)
{
    // Qt reads a number too large for a double as infinity.
    if (!value.isDouble() || !std::isfinite(value.toDouble())) {
        problems << wrongType(key, QStringLiteral("a number"), value);
        return std::nullopt;
    }
    return value.toDouble();
}

std::optional<double> readPositiveNumber(const QString &key, const QJsonValue &value,
                                         QStringList &problems)
{
    const std::optional<double> number = readNumber(key, value, problems);
    if (number && *number <= 0) {
        problems << QStringLiteral("\"%1\" must be a number more than 0, not %2")
                        .arg(key, QString::number(*number));
        return std::nullopt;
    }
    return number;
}

std::optional<bool> readBool(const QString &key, const QJsonValue &value, QStringList &problems)
{
    if (value.isBool())
        return value.toBool();
    problems << wrongType(key, QStringLiteral("true or false"), value);
    return std::nullopt;
}

std::optional<QString> readText(const QString &key, const QJsonValue &value, QStringList &problems)
{
    if (!value.isString()) {
        problems << wrongType(key, QStringLiteral("text"), value);
        return std::nullopt;
    }
    if (value.toString().trimmed().isEmpty()) {
        problems << QStringLiteral("\"%1\" is empty").arg(key);
        return std::nullopt;
    }
    return value.toString();
}

std::optional<QString> readSelector(const QString &key, const QJsonValue &value,
                                    QStringList &problems)
{
    const std::optional<QString> text = readText(key, value, problems);
    if (!text)
        return std::nullopt;
    const QString problem = selectorProblem(*text);
    if (!problem.isEmpty()) {
        problems
            << QStringLiteral("\"%1\" has a bad selector %2: %3").arg(key, quoted(*text), problem);
        return std::nullopt;
    }
    return text->trimmed();
}

std::optional<WatchHours> readHours(const QString &key, const QJsonValue &value,
                                    QStringList &problems)
{
    const auto texts = readTexts(
        key, QStringLiteral("a list of texts like \"Mon-Fri 08:00-18:00\""), value, problems);
    if (!texts)
        return std::nullopt;
    if (texts->isEmpty()) {
        problems << QStringLiteral("\"%1\" is an empty list; leave it out to watch at all hours")
                        .arg(key);
        return std::nullopt;
    }
    WatchHours::Parsed parsed = WatchHours::parse(*texts);
    if (!parsed.hours)
        problems << QStringLiteral("\"%1\" has a bad value %2").arg(key, parsed.error);
    return parsed.hours;
}

// Reads the keys of one rule, gathering what is wrong with them.
class RuleReader {
public:
    explicit RuleReader(const QJsonObject &object) : m_object(object) {}

    // Reads the key when present; a bad value makes the whole rule bad.
    template <typename T, typename Read>
    void read(const char *key, std::optional<T> &into, Read read)
    {
        readLeniently(key, into, read);
        m_good = m_good && (into || !m_object.contains(QLatin1String(key)));
    }

    // Reads the key when present; a bad value drops only the key.
    template <typename T, typename Read>
    void readLeniently(const char *key, std::optional<T> &into, Read read)
    {
        const QJsonValue value = m_object.value(QLatin1String(key));
        if (!value.isUndefined())
            into = read(QString::fromLatin1(key), value, m_problems);
    }

    void fail(const QString &problem)
    {
        m_problems << problem;
        m_good = false;
    }
    bool good() const { return m_good; }
    const QStringList &problems() const { return m_problems; }

private:
    const QJsonObject &m_object;
    QStringList m_problems;
    bool m_good = true;
};

}  // namespace

QString jsonKindName(const QJsonValue &value)
{
    switch (value.type()) {
    case QJsonValue::Bool:
        return QStringLiteral("true or false");
    case QJsonValue::Double:
        return QStringLiteral("a number");
    case QJsonValue::String:
        return QStringLiteral("text");
    case QJsonValue::Array:
        return QStringLiteral("a list");
    case QJsonValue::Object:
        return QStringLiteral("an object");
    default:
        return QStringLiteral("null");
    }
}

bool WatchRule::matches(const QString &pageAddress) const
{
    if (address.endsWith(QLatin1Char('*')))
        return pageAddress.startsWith(QStringView(address).chopped(1));
    return pageAddress == address;
}

ParsedWatchRule parseWatchRule(const QJsonObject &object)
{
    RuleReader reader(object);
    WatchRule rule;
    std::optional<QString> address, region;
    std::optional<QList<QRegularExpression>> ignore;
    std::optional<bool> ignoreNumbers;
    if (!object.contains(QLatin1String("address")))
        reader.fail(QStringLiteral("\"address\" is missing"));
    reader.read("address", address, readText);
    reader.read("region", region, readSelector);
    reader.read("ignore", ignore, readIgnore);
    reader.read("ignoreNumbers", ignoreNumbers, readBool);
    reader.read("appears", rule.appears, readCondition);
    reader.read("disappears", rule.disappears, readCondition);
    reader.read("below", rule.below, readNumber);
    reader.read("above", rule.above, readNumber);
    reader.read("staleMinutes", rule.staleMinutes, readPositiveNumber);
    reader.read("showSeconds", rule.showSeconds, readPositiveNumber);
    // A mistaken "hours" leaves the page watched at all hours rather than not at all.
    reader.readLeniently("hours", rule.hours, readHours);
    if (!reader.good())
        return {std::nullopt, reader.problems()};
    rule.address = *address;
    rule.region = region.value_or(QString());
    rule.ignore = ignore.value_or(QList<QRegularExpression>());
    rule.ignoreNumbers = ignoreNumbers.value_or(false);
    return {rule, reader.problems()};
}

QString selectorProblem(const QString &selector)
{
    const QString trimmed = selector.trimmed();
    if (trimmed.isEmpty())
        return QStringLiteral("it is empty");
    QString open;  // brackets not yet closed, innermost last
    QChar quote;
    for (qsizetype i = 0; i < trimmed.size(); ++i) {
        const QChar c = trimmed[i];
        if (c == QLatin1Char('\\')) {
            if (++i == trimmed.size())  // an escaped character stands for itself
                return QStringLiteral("it ends with \"\\\"");
        } else if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
        } else if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
            quote = c;
        } else if (c == QLatin1Char('(') || c == QLatin1Char('[')) {
            open.append(c);
        } else if (c == QLatin1Char(')') || c == QLatin1Char(']')) {
            const QChar opening = c == QLatin1Char(')') ? QLatin1Char('(') : QLatin1Char('[');
            if (open.isEmpty() || open.back() != opening)
                return QStringLiteral("\"%1\" closes nothing that was opened").arg(c);
            open.chop(1);
        } else if (c == QLatin1Char('{') || c == QLatin1Char('}')) {
            return QStringLiteral("a selector has no braces; give only what comes before \"{\"");
        }
    }
    if (!quote.isNull())
        return QStringLiteral("the quote %1 is not closed").arg(quote);
    if (!open.isEmpty())
        return QStringLiteral("\"%1\" is not closed").arg(open.back());
    const QChar last = trimmed.back();
    if (last == QLatin1Char(',') || last == QLatin1Char('>') || last == QLatin1Char('+')
        || last == QLatin1Char('~'))
        return QStringLiteral("it ends with \"%1\"").arg(last);
    return {};
}

}  // namespace pelquin
