#include "watch/watched_text.h"

#include "watch/watch_rule.h"

#include <QStringList>

#include <algorithm>
#include <cmath>

namespace pelquin {

namespace {

// Dates, then times, then any digits: the longest reading of a number goes first, so that
// "8 Dec 2026" becomes one placeholder rather than "# Dec #".
QString numbersPattern()
{
    const QString month = QStringLiteral(
        "\\b(?:jan(?:uary)?|feb(?:ruary)?|mar(?:ch)?|apr(?:il)?|may|june?|july?|aug(?:ust)?|"
        "sep(?:t(?:ember)?)?|oct(?:ober)?|nov(?:ember)?|dec(?:ember)?)\\b\\.?");
    const QString weekday = QStringLiteral(
        "(?:\\b(?:mon(?:day)?|tue(?:s(?:day)?)?|wed(?:nesday)?|thu(?:r(?:s(?:day)?)?)?|"
        "fri(?:day)?|sat(?:urday)?|sun(?:day)?)\\b\\.?,?\\s+)?");
    const QString ordinal = QStringLiteral("(?:st|nd|rd|th)?\\b");
    const QStringList forms = {
        QStringLiteral("\\d{4}-\\d{1,2}-\\d{1,2}"),
        QStringLiteral("\\d{1,2}[./-]\\d{1,2}[./-]\\d{2,4}"),
        QStringLiteral("\\d{1,2}%1\\s+%2(?:,?\\s+\\d{4}\\b)?").arg(ordinal, month),
        QStringLiteral("%1\\s+(?:\\d{1,2}%2(?:,?\\s+\\d{4}\\b)?|\\d{4}\\b)").arg(month, ordinal),
        QStringLiteral("\\d{1,2}:\\d{2}(?::\\d{2})?(?:\\s*[ap]\\.?m\\b\\.?)?"),
        QStringLiteral("\\d{1,2}\\s*[ap]\\.?m\\b\\.?"),
    };
    return QStringLiteral("%1(?:%2)|\\d+(?:[.,]\\d+)*").arg(weekday, forms.join(QLatin1Char('|')));
}

}  // namespace

QString withoutIgnoredLines(const QString &text, const QList<QRegularExpression> &ignore)
{
    QStringList kept;
    for (QStringView line : QStringView(text).split(QLatin1Char('\n'))) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        const bool ignored =
            std::any_of(ignore.begin(), ignore.end(), [&](const QRegularExpression &expression) {
                return expression.match(line).hasMatch();
            });
        if (!ignored)
            kept << line.toString();
    }
    return kept.join(QLatin1Char('\n'));
}

QString withoutNumbers(const QString &text)
{
    static const QRegularExpression kNumbers(numbersPattern(),
                                             QRegularExpression::CaseInsensitiveOption
                                                 | QRegularExpression::UseUnicodePropertiesOption);
    QString out;
    out.reserve(text.size());
    qsizetype done = 0;
    for (QRegularExpressionMatchIterator it = kNumbers.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        out += QStringView(text).mid(done, match.capturedStart() - done);
        out += QChar(kNumberPlaceholder);
        done = match.capturedEnd();
    }
    out += QStringView(text).mid(done);
    return out;
}

QString watchedText(const QString &pageText, const WatchRule &rule)
{
    return withoutIgnoredLines(pageText, rule.ignore);
}

QString comparisonForm(const QString &watched, const WatchRule &rule)
{
    return (rule.ignoreNumbers ? withoutNumbers(watched) : watched).simplified();
}

std::optional<double> firstNumber(const QString &text)
{
    // A sign counts only where no word or number comes right before it: "Mon-3" is 3.
    static const QRegularExpression kNumber(QStringLiteral(
        "(?<![\\p{L}\\p{N}_.,])[-\\x{2212}+]?(?:\\d{1,3}(?:,\\d{3})+(?!\\d)|\\d+)(?:\\.\\d+)?"));
    for (QRegularExpressionMatchIterator it = kNumber.globalMatch(text); it.hasNext();) {
        QString written = it.next().captured();
        written.remove(QLatin1Char(','));
        written.replace(QChar(0x2212), QLatin1Char('-'));
        bool ok = false;
        const double number = written.toDouble(&ok);
        if (ok && std::isfinite(number))
            return number;
    }
    return std::nullopt;
}

}  // namespace pelquin
