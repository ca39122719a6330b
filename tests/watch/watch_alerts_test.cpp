#include "watch/watch_alerts.h"
#include "watch/watch_rule.h"

#include <QJsonDocument>

#include <gtest/gtest.h>

using namespace pelquin;

namespace {

// A rule as Watch.json would give it.
WatchRule rule(const QByteArray &json)
{
    const ParsedWatchRule parsed = parseWatchRule(QJsonDocument::fromJson(json).object());
    EXPECT_TRUE(parsed.problems.isEmpty()) << parsed.problems.join('\n').toStdString();
    return parsed.rule.value_or(WatchRule());
}

QStringList tips(const WatchRule &watch, const std::optional<QString> &previous,
                 const QString &current)
{
    QStringList out;
    for (const WatchAlert &alert : firingAlerts(watch, previous, current))
        out << alert.tip();
    return out;
}

}  // namespace

TEST(WatchAlerts, FoundFiresWhenTheWordsAppearAndNotWhileTheyStay)
{
    const WatchRule watch = rule(R"({"address": "a", "appears": "In stock"})");
    EXPECT_EQ(tips(watch, QStringLiteral("Sold out"), QStringLiteral("Now in  stock!")),
              QStringList{QStringLiteral("Found \"In stock\"")});
    EXPECT_TRUE(
        tips(watch, QStringLiteral("In stock"), QStringLiteral("In stock, 3 left")).isEmpty());
    EXPECT_TRUE(tips(watch, QStringLiteral("Sold out"), QStringLiteral("Sold out")).isEmpty());
    // Words broken over two lines are still found.
    EXPECT_EQ(tips(watch, QStringLiteral("x"), QStringLiteral("In\nstock")).size(), 1);
}

TEST(WatchAlerts, GoneFiresWhenTheWordsLeaveTheText)
{
    const WatchRule watch = rule(R"({"address": "a", "disappears": "Sold out"})");
    EXPECT_EQ(tips(watch, QStringLiteral("Sold out"), QStringLiteral("In stock")),
              QStringList{QStringLiteral("Gone: \"Sold out\"")});
    EXPECT_TRUE(tips(watch, QStringLiteral("In stock"), QStringLiteral("In stock")).isEmpty());
    EXPECT_TRUE(tips(watch, QStringLiteral("Sold out"), QStringLiteral("SOLD OUT")).isEmpty());
}

TEST(WatchAlerts, WithoutAPreviousReadingWhatAlreadyHoldsFiresOnceButNothingIsGone)
{
    const WatchRule watch =
        rule(R"({"address": "a", "appears": "In stock", "disappears": "Sold out", "below": 70})");
    EXPECT_EQ(tips(watch, std::nullopt, QStringLiteral("In stock at 68")),
              QStringList({QStringLiteral("Found \"In stock\""), QStringLiteral("Below 70: 68")}));
    EXPECT_TRUE(
        tips(watch, QStringLiteral("In stock at 68"), QStringLiteral("In stock at 67")).isEmpty());
}

TEST(WatchAlerts, BelowAndAboveFireWhenTheFirstNumberCrossesTheLimit)
{
    const WatchRule watch = rule(R"({"address": "a", "below": 70, "above": 90})");
    EXPECT_EQ(tips(watch, QStringLiteral("Price 72"), QStringLiteral("Price 68")),
              QStringList{QStringLiteral("Below 70: 68")});
    EXPECT_TRUE(tips(watch, QStringLiteral("Price 68"), QStringLiteral("Price 65")).isEmpty());
    EXPECT_TRUE(tips(watch, QStringLiteral("Price 72"), QStringLiteral("Price 70")).isEmpty());
    EXPECT_EQ(tips(watch, QStringLiteral("Price 68"), QStringLiteral("Price 93")),
              QStringList{QStringLiteral("Above 90: 93")});
    EXPECT_EQ(tips(watch, QStringLiteral("Price 93"), QStringLiteral("Price 72")), QStringList());
    EXPECT_EQ(tips(watch, QStringLiteral("Price 72"), QStringLiteral("Price 1,234.5")),
              QStringList{QStringLiteral("Above 90: 1234.5")});
}

TEST(WatchAlerts, AReadingWithoutANumberNeitherFiresNorHolds)
{
    const WatchRule watch = rule(R"({"address": "a", "below": 70})");
    EXPECT_TRUE(tips(watch, QStringLiteral("Price 72"), QStringLiteral("Price unknown")).isEmpty());
    EXPECT_EQ(tips(watch, QStringLiteral("Price unknown"), QStringLiteral("Price 68")).size(), 1);
}

TEST(WatchAlerts, APatternShowsTheTextItMatchedAndFiresForANewMatch)
{
    const WatchRule watch = rule(R"({"address": "a", "appears": "/Senior \\w+ Engineer/"})");
    EXPECT_EQ(tips(watch, QStringLiteral("Senior Web Engineer"),
                   QStringLiteral("Senior Web Engineer\nSenior Data Engineer")),
              QStringList{QStringLiteral("Found \"Senior Data Engineer\"")});
    EXPECT_TRUE(tips(watch, QStringLiteral("Senior Web Engineer, Senior Data Engineer"),
                     QStringLiteral("Senior Data Engineer"))
                    .isEmpty());
}

TEST(WatchAlerts, APatternForGoneShowsWhatItMatchedBefore)
{
    const WatchRule watch = rule(R"({"address": "a", "disappears": "/\\d+ left/"})");
    EXPECT_EQ(tips(watch, QStringLiteral("Only 2 left"), QStringLiteral("None left")),
              QStringList{QStringLiteral("Gone: \"2 left\"")});
}

TEST(WatchAlerts, APatternThatMatchesNothingVisibleNeverFires)
{
    const WatchRule watch = rule(R"({"address": "a", "appears": "/x*/"})");
    EXPECT_TRUE(tips(watch, std::nullopt, QStringLiteral("abc")).isEmpty());
}

TEST(WatchAlerts, EachKindSaysItselfInTheTipTheTimedTipAndTheNotice)
{
    const QDateTime at(QDate(2026, 3, 2), QTime(10, 42, 30));
    const WatchAlert found{AlertKind::Found, QStringLiteral("In stock"), 0};
    EXPECT_EQ(found.tipAt(at), QStringLiteral("Found \"In stock\" (10:42)"));
    EXPECT_EQ(found.notice(7), QStringLiteral("Tab 7: found \"In stock\""));
    const WatchAlert gone{AlertKind::Gone, QStringLiteral("Sold out"), 0};
    EXPECT_EQ(gone.notice(7), QStringLiteral("Tab 7: gone: \"Sold out\""));
    const WatchAlert below{AlertKind::Below, QStringLiteral("68"), 70};
    EXPECT_EQ(below.tipAt(at), QStringLiteral("Below 70: 68 (10:42)"));
    EXPECT_EQ(below.notice(7), QStringLiteral("Tab 7: below 70: 68"));
    const WatchAlert above{AlertKind::Above, QStringLiteral("93"), 90.5};
    EXPECT_EQ(above.notice(12), QStringLiteral("Tab 12: above 90.5: 93"));
}

TEST(WatchAlerts, AVeryLongMatchIsCutToOneShortLine)
{
    const WatchRule watch = rule(R"({"address": "a", "appears": "/Offer[\\s\\S]*/"})");
    const QStringList fired =
        tips(watch, std::nullopt, QStringLiteral("Offer\n") + QString(5000, 'x'));
    ASSERT_EQ(fired.size(), 1);
    EXPECT_LT(fired[0].size(), 80);
    EXPECT_FALSE(fired[0].contains(QLatin1Char('\n')));
}
