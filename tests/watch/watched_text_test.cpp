#include "watch/watch_rule.h"
#include "watch/watched_text.h"

#include <gtest/gtest.h>

using namespace pelquin;

namespace {

WatchRule ruleIgnoring(const QStringList &patterns, bool ignoreNumbers = false)
{
    WatchRule rule;
    rule.address = QStringLiteral("https://a.example/");
    for (const QString &pattern : patterns)
        rule.ignore << QRegularExpression(pattern);
    rule.ignoreNumbers = ignoreNumbers;
    return rule;
}

// Whether the two texts count as changed under the rule.
bool changed(const WatchRule &rule, const QString &before, const QString &after)
{
    return comparisonForm(watchedText(before, rule), rule)
        != comparisonForm(watchedText(after, rule), rule);
}

}  // namespace

TEST(WatchedText, ALineMatchingAnIgnoredExpressionIsLeftOut)
{
    const QString text = QStringLiteral("Price 12\r\nUpdated 10:42\nVisitors: 4\nIn stock");
    EXPECT_EQ(withoutIgnoredLines(text,
                                  {QRegularExpression(QStringLiteral("^Updated")),
                                   QRegularExpression(QStringLiteral("visitors"),
                                                      QRegularExpression::CaseInsensitiveOption)}),
              QStringLiteral("Price 12\nIn stock"));
    EXPECT_EQ(withoutIgnoredLines(text, {}),
              QStringLiteral("Price 12\nUpdated 10:42\nVisitors: 4\nIn stock"));
}

TEST(WatchedText, AChangeOnAnIgnoredLineIsNoChange)
{
    const WatchRule rule = ruleIgnoring({QStringLiteral("^Updated")});
    EXPECT_FALSE(changed(rule, QStringLiteral("Queue\nUpdated 10:42"),
                         QStringLiteral("Queue\nUpdated 10:43")));
    EXPECT_TRUE(changed(rule, QStringLiteral("Queue 4\nUpdated 10:42"),
                        QStringLiteral("Queue 5\nUpdated 10:43")));
}

TEST(WatchedText, WhiteSpaceAloneIsNoChange)
{
    const WatchRule rule = ruleIgnoring({});
    EXPECT_FALSE(changed(rule, QStringLiteral("In  stock\n"), QStringLiteral(" In\tstock")));
    EXPECT_TRUE(changed(rule, QStringLiteral("In stock"), QStringLiteral("Out of stock")));
}

TEST(WatchedText, NumbersTimesAndDatesBecomeOnePlaceholderEach)
{
    EXPECT_EQ(withoutNumbers(QStringLiteral("Queue: 1,234.5 people")),
              QStringLiteral("Queue: # people"));
    EXPECT_EQ(withoutNumbers(QStringLiteral("at 12:34 and 12:34:56")),
              QStringLiteral("at # and #"));
    EXPECT_EQ(withoutNumbers(QStringLiteral("at 9:05 pm, or 10am")), QStringLiteral("at #, or #"));
    EXPECT_EQ(withoutNumbers(QStringLiteral("on 2026-12-08 or 08/12/2026")),
              QStringLiteral("on # or #"));
    EXPECT_EQ(withoutNumbers(QStringLiteral("on 8 Dec 2026, Dec 8 and December 8th, 2026")),
              QStringLiteral("on #, # and #"));
    EXPECT_EQ(withoutNumbers(QStringLiteral("Monday, 8 December 2026 10:42")),
              QStringLiteral("# #"));
    EXPECT_EQ(withoutNumbers(QStringLiteral("Grammar 5 and Decimal 3")),
              QStringLiteral("Grammar # and Decimal #"));
    EXPECT_EQ(withoutNumbers(QStringLiteral("no numbers here")), QStringLiteral("no numbers here"));
}

TEST(WatchedText, WithIgnoreNumbersAClockOrCounterAloneNeverMarks)
{
    const WatchRule rule = ruleIgnoring({}, true);
    EXPECT_FALSE(changed(rule, QStringLiteral("Mon 8 Dec, 23:59 - 41 waiting"),
                         QStringLiteral("Tue 9 Dec, 00:01 - 1,041 waiting")));
    EXPECT_FALSE(changed(rule, QStringLiteral("Dec 31, 2026 11:59 pm"),
                         QStringLiteral("Jan 1, 2027 12:00 am")));
    EXPECT_TRUE(changed(rule, QStringLiteral("41 waiting"), QStringLiteral("41 served")));
    // Without it the numbers count.
    EXPECT_TRUE(
        changed(ruleIgnoring({}), QStringLiteral("41 waiting"), QStringLiteral("42 waiting")));
}

TEST(WatchedText, TheFirstNumberReadsSeparatorsSignsAndPercentages)
{
    EXPECT_EQ(firstNumber(QStringLiteral("Total: 1,234.5 EUR, then 7")), 1234.5);
    EXPECT_EQ(firstNumber(QStringLiteral("Outside: -3 degrees")), -3.0);
    EXPECT_EQ(firstNumber(QStringLiteral("Outside: \u22124 degrees")), -4.0);
    EXPECT_EQ(firstNumber(QStringLiteral("Battery 68%")), 68.0);
    EXPECT_EQ(firstNumber(QStringLiteral("$12,345,678")), 12345678.0);
    EXPECT_EQ(firstNumber(QStringLiteral("1234,567")), 1234.0);  // not grouped by thousands
    EXPECT_EQ(firstNumber(QStringLiteral("Mon-3")), 3.0);
    EXPECT_EQ(firstNumber(QStringLiteral("A4 paper, v2.5, 30 sheets")), 30.0);
    EXPECT_FALSE(firstNumber(QStringLiteral("Sold out")));
    EXPECT_FALSE(firstNumber(QString()));
}

TEST(WatchedText, AFirstNumberTooLargeForADoubleIsPassedOver)
{
    EXPECT_EQ(firstNumber(QString(400, QLatin1Char('9')) + QStringLiteral(" then 5")), 5.0);
}

TEST(WatchedText, ConditionsStillSeeTheNumbersThatTheComparisonLeavesOut)
{
    const WatchRule rule = ruleIgnoring({QStringLiteral("^Updated")}, true);
    const QString watched = watchedText(QStringLiteral("Updated 10:42\nPrice 68"), rule);
    EXPECT_EQ(watched, QStringLiteral("Price 68"));
    EXPECT_EQ(firstNumber(watched), 68.0);
}
