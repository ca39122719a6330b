#include "core/page_text.h"

#include <QStringList>

#include <gtest/gtest.h>

using namespace pelquin;

TEST(PageText, LongTextIsCutAndLongRunsGetBreakPoints)
{
    const QString realm(3000, QLatin1Char('R'));
    const QString shown = wrappablePageText(realm, 1000);
    EXPECT_EQ(withoutBreakPoints(shown), QString(1000, QLatin1Char('R')) + "...");
    // No run longer than a line can hold is left without a place to break.
    for (const QString &run : shown.split(QChar(0x200B)))
        EXPECT_LE(run.size(), 31);
}

TEST(PageText, OrdinaryWordsAreLeftAsTheyAre)
{
    const QString text = QStringLiteral("Are you sure you want to leave?");
    EXPECT_EQ(wrappablePageText(text, 1000), text);
}

TEST(PageText, ACutNeverSplitsACharacter)
{
    const QString emoji = QString::fromUtf8("\xF0\x9F\x98\x80").repeated(10);
    const QString shown = withoutBreakPoints(wrappablePageText(emoji, 5));
    EXPECT_EQ(shown, emoji.left(4) + "...");
    for (const QChar c : wrappablePageText(emoji.repeated(10), 1000)) {
        if (c == QChar(0x200B))
            continue;
        EXPECT_TRUE(c.isSurrogate());
    }
    const QString broken = wrappablePageText(emoji.repeated(10), 1000);
    for (qsizetype i = 0; i + 1 < broken.size(); ++i) {
        if (broken.at(i).isHighSurrogate())
            EXPECT_TRUE(broken.at(i + 1).isLowSurrogate()) << i;
    }
}

TEST(VisibleTextDigest, OnlyTheWordsCount)
{
    const QByteArray words = visibleTextDigest(QStringLiteral("Queue: 4 tickets"));
    EXPECT_EQ(visibleTextDigest(QStringLiteral("\n  Queue:\t4\u00a0 tickets\r\n")), words);
    EXPECT_NE(visibleTextDigest(QStringLiteral("Queue: 5 tickets")), words);
    EXPECT_NE(visibleTextDigest(QStringLiteral("Queue: 4tickets")), words);
}
