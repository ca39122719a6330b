#include "support/window_parts_fixture.h"
#include "tabs/tab_strip.h"
#include "watch/crash_recovery.h"
#include "watch/tab_wall.h"
#include "watch/tab_watching.h"

#include <QStatusBar>

using namespace pelquin;

namespace {

// Tabs 3 and 4 show pages; the user looks at tab 4.
class CrashRecoveryTest : public test::WatchingFixture {
protected:
    void SetUp() override
    {
        setProfile({{3, site(3)}, {4, site(4)}});
        browser(3).load(site(3));
        browser(4).load(site(4));
        strip.select(4);
    }
    // `seconds` pass, and the recovery's tick comes.
    void after(int seconds)
    {
        clock.advance(seconds);
        watching->crashRecovery().onTick();
    }
};

}  // namespace

TEST_F(CrashRecoveryTest, ACrashedPageOfATabInTheBackgroundIsLoadedAgainFiveSecondsLater)
{
    const int before = browser(3).refreshes;
    browser(3).crash();
    after(4);
    EXPECT_EQ(browser(3).refreshes, before);
    after(1);
    EXPECT_EQ(browser(3).refreshes, before + 1);
    after(10);
    EXPECT_EQ(browser(3).refreshes, before + 1);  // once
}

TEST_F(CrashRecoveryTest, TheSelectedTabWaitsForRefreshUnlessNobodyIsThere)
{
    const int before = browser(4).refreshes;
    browser(4).crash();
    after(5);
    EXPECT_EQ(browser(4).refreshes, before);  // the user sees the crash page and its Refresh
    watching->wall().open();
    browser(4).crash();
    after(5);
    EXPECT_EQ(browser(4).refreshes, before + 1);  // the wall is shown: nobody reads the page
    watching->wall().close();
}

TEST_F(CrashRecoveryTest, ThreeCrashesInTenMinutesStopTheReloadingAndSaySo)
{
    const int before = browser(3).refreshes;
    for (int crash = 1; crash <= 3; ++crash) {
        browser(3).crash();
        after(60);
    }
    EXPECT_EQ(browser(3).refreshes, before + 2);
    EXPECT_EQ(browser(3).stoppedNote,
              QStringLiteral("Stopped reloading after 3 crashes in 10 minutes"));
    EXPECT_TRUE(tab(3).crashes.gaveUp);
    // Long after, a crash is loaded again.
    clock.advance(11 * 60);
    browser(3).crash();
    after(5);
    EXPECT_EQ(browser(3).refreshes, before + 3);
}

TEST_F(CrashRecoveryTest, APageLoadedAgainMeanwhileIsLeftAlone)
{
    const int before = browser(3).refreshes;
    browser(3).crash();
    browser(3).load(site(3));  // the user pressed Refresh on it before
    after(5);
    EXPECT_EQ(browser(3).refreshes, before);
}

TEST_F(CrashRecoveryTest, APageThatNoLongerAnswersIsEndedAndComesBackAsACrashedOneDoes)
{
    const int before = browser(3).refreshes;
    watching->crashRecovery().probePages();
    EXPECT_GE(browser(3).probes, 1);
    EXPECT_EQ(browser(3).hungEnded, 0);  // it answered
    browser(3).hung = true;
    watching->crashRecovery().probePages();
    EXPECT_EQ(browser(3).hungEnded, 1);
    EXPECT_TRUE(tab(3).state().crashed);
    browser(3).hung = false;
    after(5);
    EXPECT_EQ(browser(3).refreshes, before + 1);
}
