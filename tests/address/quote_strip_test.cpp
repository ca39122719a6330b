#include "address/quote_strip.h"

#include <gtest/gtest.h>

using namespace pelquin;

TEST(QuoteStrip, StripOutQuotesCutsAtTheFirstSlash)
{
    EXPECT_EQ(stripoutquotes(QStringLiteral("\"a b\" /c")), QStringLiteral("a b "));
    EXPECT_EQ(stripoutquotes(QStringLiteral("/x")), QString());
    EXPECT_EQ(stripoutquotes(QStringLiteral("plain text")), QStringLiteral("plain text"));
    EXPECT_EQ(stripoutquotes(QStringLiteral("a\"b\"c")), QStringLiteral("abc"));
    EXPECT_EQ(stripoutquotes(QStringLiteral("\"/usr/bin/mail\" %u")), QString());
}

TEST(QuoteStrip, StripOutArgQuotesKeepsEverythingElse)
{
    EXPECT_EQ(stripArgumentQuotes(QStringLiteral("\"a/b\"")), QStringLiteral("a/b"));
    EXPECT_EQ(stripArgumentQuotes(QStringLiteral("\"\"\"")), QString());
    EXPECT_EQ(stripArgumentQuotes(QStringLiteral("a \"b\" c")), QStringLiteral("a b c"));
}

TEST(QuoteStrip, TextsOfAnyLengthAreHandled)
{
    const QString longText = QString(100000, QLatin1Char('x')) + QStringLiteral("\"/tail");
    EXPECT_EQ(stripoutquotes(longText).size(), 100000);
    EXPECT_EQ(stripArgumentQuotes(longText).size(), 100005);
}
