#include "commands/navigation_commands.h"
#include "sponsor/sponsor_site.h"
#include "support/window_parts_fixture.h"
#include "tabs/refresh_trouble_bar.h"
#include "tabs/tab_strip.h"
#include "tabs/timers.h"

#include <QLabel>
#include <QTabBar>
#include <QPushButton>

using namespace pelquin;
using pelquin::test::LoadingFixture;

namespace {

QString site(int t)
{
    return QStringLiteral("http://site%1.example/").arg(t);
}

}  // namespace

TEST(RetrySchedule, BacksOffToFiveMinutesOrTheTabsOwnShorterInterval)
{
    EXPECT_EQ(retryDelaySeconds(1, 0), 30);
    EXPECT_EQ(retryDelaySeconds(2, 0), 60);
    EXPECT_EQ(retryDelaySeconds(3, 0), 120);
    EXPECT_EQ(retryDelaySeconds(4, 0), 300);
    EXPECT_EQ(retryDelaySeconds(40, 0), 300);
    EXPECT_EQ(retryDelaySeconds(4, 120), 120);  // a tab refreshed every 2 minutes
    EXPECT_EQ(retryDelaySeconds(1, 600), 30);
}

class FailedRefreshTest : public LoadingFixture {
protected:
    void SetUp() override
    {
        // Tab 3 refreshes every 10 minutes; tab 4 every minute.
        setProfile({{3, site(3)}, {4, site(4)}}, {{3, "R"}, {4, "R"}}, 10);
        session.settings[4].refreshMinutes = 1;
        startUp();
        browser(3).load(site(3));
        browser(4).load(site(4));
        pageTime = clock.now();
        clock.advance(601);
    }

    // Ticks until the time has passed, as the refresh timer would.
    void passSeconds(int seconds)
    {
        for (int s = 0; s < seconds; ++s) {
            clock.advance(1);
            if (s % 10 == 9)
                timers.onRefreshTick();
            while (timers.queuedRefreshes() > 0)
                timers.onSpacingTick();
        }
    }

    void tick()
    {
        timers.onRefreshTick();
        while (timers.queuedRefreshes() > 0)
            timers.onSpacingTick();
    }

    QString tip(int t) { return strip.bar()->tabToolTip(t - 1); }

    QDateTime pageTime;
};

TEST_F(FailedRefreshTest, ARefreshWhoseAddressDoesNotAnswerKeepsThePageShown)
{
    browser(3).addressAnswer = {false, QStringLiteral("HTTP 503")};
    const QDateTime failedAt = clock.now();
    tick();
    EXPECT_EQ(browser(3).addressChecks, 1);
    EXPECT_EQ(browser(3).refreshes, 0);  // the good page stays
    EXPECT_EQ(browser(4).refreshes, 1);  // its neighbour answered and went on
    EXPECT_EQ(tab(3).health(), TabHealth::Failing);
    EXPECT_EQ(strip.healthMark(3), TabHealth::Failing);
    EXPECT_TRUE(tip(3).endsWith(QStringLiteral("\nCould not refresh since %1 (1 try): HTTP 503")
                                    .arg(failedAt.toString(u"HH:mm"))))
        << tip(3).toStdString();
}

TEST_F(FailedRefreshTest, ItTriesAgainAfterHalfAMinuteThenOneTwoAndFiveMinutes)
{
    browser(3).addressAnswer = {false, QStringLiteral("timed out")};
    tick();
    const QList<int> waits{30, 60, 120, 300, 300};
    int checks = 1;
    for (const int wait : waits) {
        passSeconds(wait - 1);
        EXPECT_EQ(browser(3).addressChecks, checks) << "too early before a wait of " << wait;
        passSeconds(10);
        EXPECT_EQ(browser(3).addressChecks, ++checks) << "late after a wait of " << wait;
        clock.advance(-9);  // back to the moment of the try, as near as the ticks allow
    }
    EXPECT_EQ(tab(3).refreshTrouble().tries, 6);
    EXPECT_TRUE(tip(3).contains(QStringLiteral("(6 tries): timed out")));
    EXPECT_EQ(browser(3).refreshes, 0);
}

TEST_F(FailedRefreshTest, ATabRefreshedEveryMinuteTriesAtItsOwnIntervalWhenShorter)
{
    clock.advance(-540);  // tab 4 is due, tab 3 is not
    browser(4).addressAnswer = {false, QStringLiteral("server not found")};
    tick();
    for (int i = 0; i < 5; ++i)
        passSeconds(61);
    EXPECT_EQ(browser(4).addressChecks, 6);  // every minute, never five
}

TEST_F(FailedRefreshTest, TheFirstGoodLoadClearsTheTroubleAndTheLine)
{
    browser(3).addressAnswer = {false, QStringLiteral("HTTP 503")};
    tick();
    browser(3).addressAnswer = {true, QString()};
    passSeconds(31);
    EXPECT_EQ(browser(3).refreshes, 1);
    EXPECT_EQ(tab(3).health(), TabHealth::Failing);  // not yet: the page has to load
    // While that load goes on, no tick starts it again.
    tick();
    passSeconds(20);
    EXPECT_EQ(browser(3).refreshes, 1);
    browser(3).load(site(3));
    EXPECT_EQ(tab(3).health(), TabHealth::Fine);
    EXPECT_EQ(strip.healthMark(3), TabHealth::Fine);
    EXPECT_FALSE(tip(3).contains(QStringLiteral("Could not refresh")));
    // Fine again, it waits its whole interval.
    passSeconds(300);
    EXPECT_EQ(browser(3).addressChecks, 2);
}

TEST_F(FailedRefreshTest, ALoadThatFailsAfterTheAddressAnsweredCountsAndKeepsNothing)
{
    tick();
    ASSERT_EQ(browser(3).refreshes, 1);
    browser(3).failLoad(site(3), QStringLiteral("cannot connect to the server"));
    EXPECT_EQ(tab(3).health(), TabHealth::Failing);
    EXPECT_FALSE(tab(3).goodPageTime().isValid());
    EXPECT_FALSE(tab(3).refreshTrouble().barText(tab(3).goodPageTime())
                     .contains(QStringLiteral("Showing")));
}

TEST_F(FailedRefreshTest, WhatTheUserAsksForLoadsAtOnceAndShowsItsError)
{
    strip.select(3);
    browser(3).addressAnswer = {false, QStringLiteral("HTTP 503")};
    const SponsorSite sponsor{QStringLiteral("pelquin.localhost:8470")};
    NavigationCommands(session, controls(), menu, sponsor, errors).refresh();
    EXPECT_EQ(browser(3).refreshes, 1);
    EXPECT_EQ(browser(3).addressChecks, 0);
    browser(3).failLoad(site(3), QStringLiteral("HTTP 503"));
    EXPECT_EQ(tab(3).health(), TabHealth::Fine);  // the user sees the error page itself
}

TEST_F(FailedRefreshTest, TheBarOverTheSelectedPageSaysWhenAndTriesNow)
{
    window.resize(900, 700);
    int triedNow = 0;
    RefreshTroubleBar bar(strip, tabs, [&](BrowserTab &t) {
        ++triedNow;
        timers.tryNow(t);
        while (timers.queuedRefreshes() > 0)
            timers.onSpacingTick();
    }, &window);
    layout.setPageBar([&](const BrowserTab &t) { return bar.barFor(t); });
    strip.select(4);
    browser(3).addressAnswer = {false, QStringLiteral("HTTP 502")};
    const QDateTime failedAt = clock.now();
    tick();
    EXPECT_TRUE(bar.isHidden());  // tab 3 is not the one shown
    strip.select(3);
    ASSERT_FALSE(bar.isHidden());
    EXPECT_EQ(bar.barFor(tab(3)), &bar);
    EXPECT_EQ(bar.label()->text(),
              QStringLiteral("Could not refresh at %1: HTTP 502. Showing the page of %2.")
                  .arg(failedAt.toString(u"HH:mm"), pageTime.toString(u"HH:mm")));
    EXPECT_EQ(bar.label()->textFormat(), Qt::PlainText);
    bar.tryNowButton()->click();
    EXPECT_EQ(triedNow, 1);
    EXPECT_EQ(browser(3).addressChecks, 2);
    browser(3).addressAnswer = {true, QString()};
    bar.tryNowButton()->click();
    EXPECT_EQ(browser(3).refreshes, 1);
    browser(3).load(site(3));
    EXPECT_TRUE(bar.isHidden());
}

TEST_F(FailedRefreshTest, WhenTheNetworkComesBackEveryFailingTabTriesAtOnce)
{
    browser(3).addressAnswer = {false, QStringLiteral("cannot connect to the server")};
    tick();
    browser(3).addressAnswer = {true, QString()};
    clock.advance(5);
    timers.tryFailingTabsNow();
    while (timers.queuedRefreshes() > 0)
        timers.onSpacingTick();
    EXPECT_EQ(browser(3).addressChecks, 2);
    EXPECT_EQ(browser(3).refreshes, 1);
}
