#include "watch/watch_hours.h"

#include <gtest/gtest.h>

using namespace pelquin;

namespace {

// 2 March 2026 is a Monday, so the day of the month tells the day of the week.
QDateTime march(int day, int hour, int minute, int second = 0)
{
    return QDateTime(QDate(2026, 3, day), QTime(hour, minute, second));
}

WatchHours hours(const QStringList &texts)
{
    WatchHours::Parsed parsed = WatchHours::parse(texts);
    EXPECT_TRUE(parsed.hours.has_value()) << parsed.error.toStdString();
    return parsed.hours.value_or(WatchHours({}));
}

QString errorOf(const QString &text)
{
    return parseHoursSpan(text).error;
}

std::array<bool, 7> daysOf(const QString &text)
{
    const ParsedHoursSpan parsed = parseHoursSpan(text);
    EXPECT_TRUE(parsed.span.has_value()) << parsed.error.toStdString();
    return parsed.span ? parsed.span->days : std::array<bool, 7>{};
}

}  // namespace

TEST(WatchHours, ReadsADayASpanOfDaysAndDaily)
{
    const ParsedHoursSpan weekdays = parseHoursSpan(QStringLiteral("Mon-Fri 08:00-18:00"));
    ASSERT_TRUE(weekdays.span);
    EXPECT_EQ(weekdays.span->days,
              (std::array<bool, 7>{true, true, true, true, true, false, false}));
    EXPECT_EQ(weekdays.span->startMinute, 8 * 60);
    EXPECT_EQ(weekdays.span->endMinute, 18 * 60);
    EXPECT_EQ(daysOf(QStringLiteral("Sat 10:00-12:00")),
              (std::array<bool, 7>{false, false, false, false, false, true, false}));
    EXPECT_EQ(daysOf(QStringLiteral("daily 9:30-10:00")),
              (std::array<bool, 7>{true, true, true, true, true, true, true}));
    EXPECT_EQ(daysOf(QStringLiteral("Monday,wed 9:30-10:00")),
              (std::array<bool, 7>{true, false, true, false, false, false, false}));
}

TEST(WatchHours, ASpanOfDaysMayGoRoundTheWeekEnd)
{
    EXPECT_EQ(daysOf(QStringLiteral("Fri-Mon 09:00-12:00")),
              (std::array<bool, 7>{true, false, false, false, true, true, true}));
}

TEST(WatchHours, TimesAloneMeanEveryDay)
{
    EXPECT_EQ(daysOf(QStringLiteral("08:00-09:00")),
              (std::array<bool, 7>{true, true, true, true, true, true, true}));
}

TEST(WatchHours, EachKindOfMistakeSaysWhatIsWrong)
{
    EXPECT_TRUE(errorOf(QStringLiteral("Mon-Fru 08:00-18:00"))
                    .startsWith(QStringLiteral("\"Fru\" is not a day")));
    EXPECT_TRUE(errorOf(QStringLiteral("Mon- 08:00-18:00"))
                    .startsWith(QStringLiteral("\"Mon-\" is not a day")));
    EXPECT_EQ(errorOf(QStringLiteral("Mon 8-18")),
              QStringLiteral("\"8-18\" is not a time range like 08:00-18:00"));
    EXPECT_FALSE(errorOf(QStringLiteral("Mon 08:00-25:00")).isEmpty());
    EXPECT_FALSE(errorOf(QStringLiteral("Mon 08:61-09:00")).isEmpty());
    EXPECT_FALSE(
        errorOf(QStringLiteral("Mon 24:00-09:00")).isEmpty());  // a day does not start at 24
    EXPECT_TRUE(errorOf(QStringLiteral("Mon 08:00-08:00")).contains(QStringLiteral("same time")));
    EXPECT_FALSE(errorOf(QStringLiteral("Mon Tue 08:00-09:00")).isEmpty());
    EXPECT_FALSE(errorOf(QString()).isEmpty());
    EXPECT_EQ(WatchHours::parse({QStringLiteral("Mon 08:00-09:00"), QStringLiteral("Mon 8")}).error,
              QStringLiteral("\"Mon 8\": \"8\" is not a time range like 08:00-18:00"));
}

TEST(WatchHours, AWholeDayIsWrittenToMidnightAfter)
{
    const WatchHours allDay = hours({QStringLiteral("Daily 00:00-24:00")});
    EXPECT_TRUE(allDay.activeAt(march(2, 0, 0)));
    EXPECT_TRUE(allDay.activeAt(march(8, 23, 59, 59)));
    const WatchHours evening = hours({QStringLiteral("Mon 20:00-24:00")});
    EXPECT_TRUE(evening.activeAt(march(2, 23, 59)));
    EXPECT_FALSE(evening.activeAt(march(3, 0, 0)));
}

TEST(WatchHours, ActiveFromTheStartUpToButNotAtTheEnd)
{
    const WatchHours office = hours({QStringLiteral("Mon-Fri 08:00-18:00")});
    EXPECT_FALSE(office.activeAt(march(2, 7, 59, 59)));
    EXPECT_TRUE(office.activeAt(march(2, 8, 0)));
    EXPECT_TRUE(office.activeAt(march(6, 17, 59)));
    EXPECT_FALSE(office.activeAt(march(6, 18, 0)));
    EXPECT_FALSE(office.activeAt(march(7, 12, 0)));  // Saturday
}

TEST(WatchHours, ANightSpanGoesOnPastMidnightIntoTheNextDay)
{
    const WatchHours nights = hours({QStringLiteral("Daily 22:00-06:00")});
    EXPECT_TRUE(nights.activeAt(march(2, 23, 0)));
    EXPECT_TRUE(nights.activeAt(march(3, 5, 59)));
    EXPECT_FALSE(nights.activeAt(march(3, 6, 0)));
    EXPECT_FALSE(nights.activeAt(march(3, 21, 59)));

    // The day named is the day the span starts on.
    const WatchHours friday = hours({QStringLiteral("Fri 22:00-02:00")});
    EXPECT_TRUE(friday.activeAt(march(7, 1, 0)));   // Saturday night
    EXPECT_FALSE(friday.activeAt(march(6, 1, 0)));  // Friday's small hours
}

TEST(WatchHours, ASundayNightSpanEndsOnMondayAcrossTheWeek)
{
    const WatchHours sunday = hours({QStringLiteral("Sun 22:00-06:00")});
    EXPECT_TRUE(sunday.activeAt(march(8, 23, 0)));
    EXPECT_TRUE(sunday.activeAt(march(9, 5, 0)));  // the Monday after
    EXPECT_TRUE(sunday.activeAt(march(2, 5, 0)));  // a Monday after an earlier Sunday
    EXPECT_FALSE(sunday.activeAt(march(7, 23, 0)));
}

TEST(WatchHours, TheNextStartIsTheFirstAtOrAfterTheTimeGiven)
{
    const WatchHours office = hours({QStringLiteral("Mon-Fri 08:00-18:00")});
    EXPECT_EQ(office.nextStart(march(2, 7, 0)), march(2, 8, 0));
    EXPECT_EQ(office.nextStart(march(2, 8, 0)), march(2, 8, 0));
    EXPECT_EQ(office.nextStart(march(2, 8, 0, 1)), march(3, 8, 0));
    EXPECT_EQ(office.nextStart(march(6, 19, 0)), march(9, 8, 0));  // Friday evening: Monday
    EXPECT_EQ(office.nextStart(march(8, 23, 0)), march(9, 8, 0));
}

TEST(WatchHours, AWeeklySpanAlreadyStartedComesRoundAWeekLater)
{
    const WatchHours saturday = hours({QStringLiteral("Sat 10:00-12:00")});
    EXPECT_EQ(saturday.nextStart(march(7, 11, 0)), march(14, 10, 0));
    EXPECT_EQ(saturday.nextStart(march(2, 11, 0)), march(7, 10, 0));
}

TEST(WatchHours, TheEarliestOfSeveralSpansStartsNext)
{
    const WatchHours two =
        hours({QStringLiteral("Sat 10:00-12:00"), QStringLiteral("Daily 22:00-06:00")});
    EXPECT_EQ(two.nextStart(march(7, 6, 0)), march(7, 10, 0));
    EXPECT_EQ(two.nextStart(march(7, 12, 0)), march(7, 22, 0));
    EXPECT_TRUE(two.activeAt(march(7, 11, 0)));
    EXPECT_TRUE(two.activeAt(march(8, 3, 0)));
    EXPECT_FALSE(two.activeAt(march(8, 11, 0)));
}

TEST(WatchHours, TheNextStartKeepsTheTimeZoneOfTheTimeGiven)
{
    const QDateTime utc(QDate(2026, 3, 2), QTime(7, 0), Qt::UTC);
    const QDateTime start = hours({QStringLiteral("Daily 08:00-09:00")}).nextStart(utc);
    EXPECT_EQ(start.timeSpec(), Qt::UTC);
    EXPECT_EQ(start.time(), QTime(8, 0));
}
