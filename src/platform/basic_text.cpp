#include "platform/basic_text.h"

#include "platform/basic_error.h"
#include "platform/twips.h"

#include <QLocale>
#include <QRegularExpression>

#include <cmath>
#include <limits>

namespace pelquin {

QString printNumber(qint64 value)
{
    return (value < 0 ? QString() : QStringLiteral(" ")) + QString::number(value) +
           QLatin1Char(' ');
}

double basicVal(const QString &text)
{
    static const QRegularExpression number(
        QStringLiteral(R"(^[ \t]*([+-]?(\d+\.?\d*|\.\d+)([eEdD][+-]?\d+)?))"));
    const QRegularExpressionMatch match = number.match(text);
    if (!match.hasMatch())
        return 0.0;
    QString digits = match.captured(1);
    digits.replace(QLatin1Char('d'), QLatin1Char('e')).replace(QLatin1Char('D'), QLatin1Char('e'));
    bool ok = false;
    const double value = digits.toDouble(&ok);
    if (!ok || !std::isfinite(value))
        throwError(err::Overflow);
    return value;
}

double strictNumber(const QString &text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return 0.0;
    static const QRegularExpression number(
        QStringLiteral(R"(^[+-]?(\d+\.?\d*|\.\d+)([eE][+-]?\d+)?$)"));
    if (!number.match(trimmed).hasMatch())
        throwError(err::TypeMismatch);
    bool ok = false;
    const double value = trimmed.toDouble(&ok);
    if (!ok || !std::isfinite(value))
        throwError(err::Overflow);
    return value;
}

qint16 toInt16(double value)
{
    const double rounded = roundHalfEven(value);
    if (!(rounded >= std::numeric_limits<qint16>::min() &&
          rounded <= std::numeric_limits<qint16>::max()))
        throwError(err::Overflow);
    return static_cast<qint16>(rounded);
}

QDateTime zeroDate()
{
    return QDateTime(QDate(1899, 12, 30), QTime(0, 0));
}

namespace {

// The system's short date form with a four-digit year, so that a date read back is the date
// that was written.
QString shortDateFormat(const QLocale &locale)
{
    QString format = locale.dateFormat(QLocale::ShortFormat);
    if (!format.contains(QStringLiteral("yyyy")))
        format.replace(QStringLiteral("yy"), QStringLiteral("yyyy"));
    return format;
}

}  // namespace

QString formatDate(const QDateTime &value)
{
    const QLocale locale = QLocale::system();
    QStringList parts;
    if (value.date() != zeroDate().date())
        parts << locale.toString(value.date(), shortDateFormat(locale));
    if (value.time() != QTime(0, 0))
        parts << locale.toString(value.time(), QLocale::LongFormat);
    return parts.join(QLatin1Char(' '));
}

std::optional<QDateTime> parseDate(const QString &text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return std::nullopt;
    const QLocale locale = QLocale::system();
    const QString dateFormat = shortDateFormat(locale);
    for (const QString &timeFormat : {locale.timeFormat(QLocale::LongFormat),
                                      locale.timeFormat(QLocale::ShortFormat)}) {
        const QDateTime both =
            locale.toDateTime(trimmed, dateFormat + QLatin1Char(' ') + timeFormat);
        if (both.isValid())
            return both;
        const QTime time = locale.toTime(trimmed, timeFormat);
        if (time.isValid())
            return QDateTime(zeroDate().date(), time);
    }
    const QDate date = locale.toDate(trimmed, dateFormat);
    if (date.isValid())
        return QDateTime(date, QTime(0, 0));
    const QDateTime iso = QDateTime::fromString(trimmed, Qt::ISODate);
    if (iso.isValid())
        return iso;
    const QDate isoDate = QDate::fromString(trimmed, Qt::ISODate);
    if (isoDate.isValid())
        return QDateTime(isoDate, QTime(0, 0));
    return std::nullopt;
}

}  // namespace pelquin
