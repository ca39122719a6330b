#include "watch/watch_hours.h"

#include <QRegularExpression>

namespace pelquin {

namespace {

constexpr int kMinutesPerDay = 24 * 60;
constexpr int kMinutesPerWeek = 7 * kMinutesPerDay;

const QString kDayAdvice = QStringLiteral("write Mon to Sun, a span like Mon-Fri, or Daily");

// 0 for Monday; -1 when the text names no day. Short and full English names are understood.
int dayIndex(const QString &name)
{
    static const QStringList kFull = {QStringLiteral("monday"),    QStringLiteral("tuesday"),
                                      QStringLiteral("wednesday"), QStringLiteral("thursday"),
                                      QStringLiteral("friday"),    QStringLiteral("saturday"),
                                      QStringLiteral("sunday")};
    const QString lower = name.toLower();
    for (int i = 0; i < kFull.size(); ++i) {
        if (lower == kFull[i] || lower == kFull[i].left(3))
            return i;
    }
    return -1;
}

// Marks the days named by "Mon", "Mon-Fri", "Fri-Mon" (round the week end) or "Daily".
QString readDays(const QString &text, std::array<bool, 7> &days)
{
    if (text.compare(QStringLiteral("daily"), Qt::CaseInsensitive) == 0) {
        days.fill(true);
        return {};
    }
    for (const QString &part : text.split(QLatin1Char(','))) {
        const QStringList ends = part.split(QLatin1Char('-'));
        if (ends.size() > 2)
            return QStringLiteral("\"%1\" is not a day; %2").arg(part, kDayAdvice);
        const int first = dayIndex(ends.front());
        const int last = dayIndex(ends.back());
        const QString &wrong = first < 0 ? ends.front() : ends.back();
        if (first < 0 || last < 0)
            return QStringLiteral("\"%1\" is not a day; %2")
                .arg(wrong.isEmpty() ? part : wrong, kDayAdvice);
        for (int day = first;; day = (day + 1) % 7) {
            days[day] = true;
            if (day == last)
                break;
        }
    }
    return {};
}

// Minutes after midnight for "8:00" or "08:00"; "24:00" only where the day may end.
std::optional<int> readTime(const QString &text, bool mayBeMidnightAfter)
{
    static const QRegularExpression kTime(QStringLiteral("^(\\d{1,2}):(\\d{2})$"));
    const QRegularExpressionMatch match = kTime.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    const int hour = match.captured(1).toInt();
    const int minute = match.captured(2).toInt();
    if (minute > 59 || hour > 24 || (hour == 24 && (minute != 0 || !mayBeMidnightAfter)))
        return std::nullopt;
    return hour * 60 + minute;
}

QString readTimes(const QString &text, WatchHoursSpan &span)
{
    QString range = text;
    range.replace(QChar(0x2013), QLatin1Char('-'));  // an en dash pasted from a document
    const QStringList ends = range.split(QLatin1Char('-'));
    const std::optional<int> start = ends.size() == 2 ? readTime(ends[0], false) : std::nullopt;
    const std::optional<int> end = ends.size() == 2 ? readTime(ends[1], true) : std::nullopt;
    if (!start || !end)
        return QStringLiteral("\"%1\" is not a time range like 08:00-18:00").arg(text);
    if (*start == *end)
        return QStringLiteral("\"%1\" starts and ends at the same time; for a whole day "
                              "write 00:00-24:00")
            .arg(text);
    span.startMinute = *start;
    span.endMinute = *end;
    return {};
}

int lengthInMinutes(const WatchHoursSpan &span)
{
    return span.endMinute > span.startMinute ? span.endMinute - span.startMinute
                                             : span.endMinute + kMinutesPerDay - span.startMinute;
}

}  // namespace

ParsedHoursSpan parseHoursSpan(const QString &text)
{
    const QStringList words = text.simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (words.isEmpty() || words.size() > 2)
        return {std::nullopt, QStringLiteral("write days and times like Mon-Fri 08:00-18:00")};
    WatchHoursSpan span;
    if (words.size() == 1) {
        span.days.fill(true);  // times alone mean every day
    } else {
        const QString error = readDays(words[0], span.days);
        if (!error.isEmpty())
            return {std::nullopt, error};
    }
    const QString timeError = readTimes(words.back(), span);
    if (!timeError.isEmpty())
        return {std::nullopt, timeError};
    return {span, {}};
}

WatchHours::Parsed WatchHours::parse(const QStringList &texts)
{
    if (texts.isEmpty())
        return {std::nullopt, QStringLiteral("no hours are given")};
    std::vector<WatchHoursSpan> spans;
    for (const QString &text : texts) {
        ParsedHoursSpan parsed = parseHoursSpan(text);
        if (!parsed.span)
            return {std::nullopt, QStringLiteral("\"%1\": %2").arg(text, parsed.error)};
        spans.push_back(*parsed.span);
    }
    return {WatchHours(std::move(spans)), {}};
}

bool WatchHours::activeAt(const QDateTime &when) const
{
    // The wall clock decides, as the user wrote the hours by it.
    const QTime time = when.time();
    const int minuteOfWeek =
        (when.date().dayOfWeek() - 1) * kMinutesPerDay + time.hour() * 60 + time.minute();
    for (const WatchHoursSpan &span : m_spans) {
        for (int day = 0; day < 7; ++day) {
            if (!span.days[day])
                continue;
            const int start = day * kMinutesPerDay + span.startMinute;
            const int sinceStart =
                ((minuteOfWeek - start) % kMinutesPerWeek + kMinutesPerWeek) % kMinutesPerWeek;
            if (sinceStart < lengthInMinutes(span))
                return true;
        }
    }
    return false;
}

QDateTime WatchHours::nextStart(const QDateTime &when) const
{
    // Eight days: a span that started earlier today next comes round a week later.
    for (int ahead = 0; ahead <= 7; ++ahead) {
        const QDate day = when.date().addDays(ahead);
        QDateTime best;
        for (const WatchHoursSpan &span : m_spans) {
            if (!span.days[day.dayOfWeek() - 1])
                continue;
            QDateTime start = when;
            start.setDate(day);
            start.setTime(QTime::fromMSecsSinceStartOfDay(span.startMinute * 60 * 1000));
            if (start >= when && (!best.isValid() || start < best))
                best = start;
        }
        if (best.isValid())
            return best;
    }
    return {};
}

}  // namespace pelquin
