#include "sponsor/sponsor_pages.h"

#include <QUrlQuery>

#include <gtest/gtest.h>

namespace pelquin {
namespace {

TEST(SponsorPages, WelcomePageIsTitledAndThanksSponsors)
{
    const QString html = sponsorWelcomePage();
    EXPECT_TRUE(html.contains(QStringLiteral("<title>Pelquin</title>")));
    EXPECT_TRUE(html.contains(QStringLiteral("Welcome to Pelquin")));
    EXPECT_TRUE(html.contains(QStringLiteral("sponsor")));
    EXPECT_TRUE(html.contains(QStringLiteral("<meta charset=\"utf-8\">")));
    EXPECT_FALSE(html.contains(QStringLiteral("src=")));
}

TEST(SponsorPages, SearchFormSubmitsFieldQToSc)
{
    const QString html = sponsorSearchFormPage();
    EXPECT_TRUE(html.contains(QStringLiteral("<title>Search</title>")));
    EXPECT_TRUE(html.contains(QStringLiteral("<form action=\"/sc\" method=\"get\">")));
    EXPECT_TRUE(html.contains(QStringLiteral("name=\"q\"")));
}

TEST(SponsorPages, ResultsShowTheQueryEscaped)
{
    const QString html = sponsorSearchResultsPage(QStringLiteral("<script>alert(\"x\")&'"));
    EXPECT_TRUE(html.contains(QStringLiteral("<title>Search results</title>")));
    EXPECT_FALSE(html.contains(QStringLiteral("<script>")));
    EXPECT_FALSE(html.contains(QStringLiteral("alert(\"x\")")));
    EXPECT_TRUE(html.contains(
        QStringLiteral("&lt;script&gt;alert(&quot;x&quot;)&amp;&#39;</span>")));
    // The form again, filled with the query, quotes escaped inside the attribute.
    EXPECT_TRUE(html.contains(QStringLiteral("<form action=\"/sc\" method=\"get\">")));
    EXPECT_TRUE(html.contains(
        QStringLiteral("value=\"&lt;script&gt;alert(&quot;x&quot;)&amp;&#39;\"")));
}

TEST(SponsorPages, ResultLinksCarryTheQueryPercentEncoded)
{
    const QString html = sponsorSearchResultsPage(QStringLiteral("a b&c+d/é"));
    EXPECT_TRUE(html.contains(
        QStringLiteral("href=\"https://duckduckgo.com/html/?q=a%20b%26c%2Bd%2F%C3%A9\"")));
    EXPECT_TRUE(html.contains(
        QStringLiteral("href=\"https://www.bing.com/search?q=a%20b%26c%2Bd%2F%C3%A9\"")));
}

TEST(SponsorPages, EmptyQueryShowsOnlyTheForm)
{
    const QString html = sponsorSearchResultsPage(QStringLiteral("  "));
    EXPECT_FALSE(html.contains(QStringLiteral("duckduckgo")));
    EXPECT_TRUE(html.contains(QStringLiteral("name=\"q\"")));
}

TEST(SponsorPages, FormValueReadsPlusAsBlank)
{
    const QUrlQuery query(QStringLiteral("q=caf%C3%A9+au+lait%2B1&x=2"));
    EXPECT_EQ(formValue(query, QStringLiteral("q")), QStringLiteral("café au lait+1"));
    EXPECT_EQ(formValue(query, QStringLiteral("missing")), QString());
}

TEST(SponsorPages, EscapeHtmlLeavesPlainTextAlone)
{
    EXPECT_EQ(escapeHtml(QStringLiteral("plain text é")), QStringLiteral("plain text é"));
    EXPECT_EQ(escapeHtml(QStringLiteral("<a href=\"x\">")),
              QStringLiteral("&lt;a href=&quot;x&quot;&gt;"));
}

}  // namespace
}  // namespace pelquin
