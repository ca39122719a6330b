#include "sponsor/sponsor_site.h"

#include <gtest/gtest.h>

using namespace pelquin;

TEST(SponsorSite, PagesLiveOnTheHostAndStopKnowsItsDomain)
{
    const SponsorSite site;
    EXPECT_EQ(site.welcomeUrl(), QStringLiteral("http://pelquin.localhost:8470/w1.htm"));
    EXPECT_EQ(site.searchFormUrl(), QStringLiteral("http://pelquin.localhost:8470/w2.htm"));
    EXPECT_EQ(site.searchResultsMark(), QStringLiteral("pelquin.localhost:8470/sc"));
    EXPECT_EQ(site.domain(), QStringLiteral("pelquin.localhost"));
    EXPECT_EQ(site.port(), 8470);
    EXPECT_TRUE(site.servedLocally());
}

TEST(SponsorSite, ALongerHostDropsItsFirstLabelForTheDomain)
{
    const SponsorSite site(QStringLiteral("www.sponsor.example.com"));
    EXPECT_EQ(site.domain(), QStringLiteral("sponsor.example.com"));
    EXPECT_EQ(site.port(), 80);
    EXPECT_FALSE(site.servedLocally());
    EXPECT_TRUE(SponsorSite(QStringLiteral("ads.localhost:9000")).servedLocally());
}

TEST(SponsorSite, TheEnvironmentChoosesTheHost)
{
    qputenv("PELQUIN_SPONSOR_HOST", " ads.localhost:9001 ");
    EXPECT_EQ(SponsorSite::fromEnvironment().host(), QStringLiteral("ads.localhost:9001"));
    qunsetenv("PELQUIN_SPONSOR_HOST");
    EXPECT_EQ(SponsorSite::fromEnvironment().host(), QStringLiteral("pelquin.localhost:8470"));
}
