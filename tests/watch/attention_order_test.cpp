#include "watch/attention_order.h"
#include "watch/watch_alerts.h"

#include <gtest/gtest.h>

using namespace pelquin;

namespace {

constexpr TabAttention kQuiet{false, false};
constexpr TabAttention kAlert{true, false};
constexpr TabAttention kChanged{false, true};
constexpr TabAttention kBoth{true, true};
constexpr TabAttention kUnwell{false, false, true};

}  // namespace

TEST(AttentionOrder, TabsWithAnAlertComeBeforeChangedTabs)
{
    const std::vector<TabAttention> tabs{kChanged, kQuiet, kChanged, kAlert, kQuiet};
    EXPECT_EQ(nextTabForAttention(tabs, 1), 4);
    EXPECT_EQ(nextTabForAttention(tabs, 4), 1);  // no other alert: the next changed tab
}

TEST(AttentionOrder, UnwellTabsComeAfterAlertsAndBeforeChangedTabs)
{
    const std::vector<TabAttention> tabs{kChanged, kUnwell, kQuiet, kAlert, kUnwell};
    EXPECT_EQ(nextTabForAttention(tabs, 1), 4);
    EXPECT_EQ(nextTabForAttention(tabs, 4), 5);
    EXPECT_EQ(nextTabForAttention(tabs, 5), 4);  // the alert again before anything else
    const std::vector<TabAttention> noAlert{kChanged, kUnwell, kQuiet, kUnwell};
    EXPECT_EQ(nextTabForAttention(noAlert, 2), 4);
    EXPECT_EQ(nextTabForAttention(noAlert, 4), 2);
    EXPECT_EQ(nextTabForAttention({kChanged, kQuiet, kUnwell}, 3), 1);
    EXPECT_EQ(nextTabForAttention({kQuiet, kUnwell}, 2), 2);  // nothing else: it stays
}

TEST(AttentionOrder, TheNextAfterTheCurrentTabGoingRound)
{
    const std::vector<TabAttention> tabs{kAlert, kQuiet, kAlert, kQuiet, kBoth};
    EXPECT_EQ(nextTabForAttention(tabs, 1), 3);
    EXPECT_EQ(nextTabForAttention(tabs, 3), 5);
    EXPECT_EQ(nextTabForAttention(tabs, 5), 1);
    EXPECT_EQ(nextTabForAttention(tabs, 2), 3);
}

TEST(AttentionOrder, TheCurrentTabComesOnlyWhenNoOtherWantsLooking)
{
    EXPECT_EQ(nextTabForAttention({kQuiet, kAlert, kChanged}, 2), 3);
    EXPECT_EQ(nextTabForAttention({kQuiet, kAlert, kQuiet}, 2), 2);
    EXPECT_EQ(nextTabForAttention({kQuiet, kChanged}, 2), 2);
}

TEST(AttentionOrder, NothingToSeeGivesZero)
{
    EXPECT_EQ(nextTabForAttention({kQuiet, kQuiet, kQuiet}, 2), 0);
    EXPECT_EQ(nextTabForAttention({}, 0), 0);
    EXPECT_EQ(nextTabForAttention({}, 3), 0);
}

TEST(AttentionOrder, WithoutACurrentTabTheSearchStartsAtTheFirst)
{
    EXPECT_EQ(nextTabForAttention({kChanged, kAlert}, 0), 2);
    EXPECT_EQ(nextTabForAttention({kChanged, kQuiet}, 0), 1);
    EXPECT_EQ(nextTabForAttention({kChanged, kQuiet}, 9), 1);
}

TEST(AttentionOrder, ThirtyTabsWrapFromTheLastToTheFirst)
{
    std::vector<TabAttention> tabs(30, kQuiet);
    tabs[1] = kChanged;   // tab 2
    tabs[28] = kChanged;  // tab 29
    EXPECT_EQ(nextTabForAttention(tabs, 29), 2);
    EXPECT_EQ(nextTabForAttention(tabs, 30), 2);
    EXPECT_EQ(nextTabForAttention(tabs, 2), 29);
}

TEST(AttentionOrder, TheStatusLineNamesTheTabTheAlertAndItsTime)
{
    const QDateTime at(QDate(2026, 3, 2), QTime(10, 42, 59));
    EXPECT_EQ(alertStatus(7, {AlertKind::Found, QStringLiteral("In stock"), 0}, at),
              QStringLiteral("Tab 7: found \"In stock\" at 10:42"));
    EXPECT_EQ(alertStatus(30, {AlertKind::Below, QStringLiteral("68"), 70}, at),
              QStringLiteral("Tab 30: below 70: 68 at 10:42"));
}
