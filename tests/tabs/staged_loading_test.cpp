#include "support/window_parts_fixture.h"
#include "tabs/staged_loading.h"
#include "tabs/tab_strip.h"
#include "tabs/timers.h"

using namespace pelquin;
using pelquin::test::LoadingFixture;

using StagedLoadingTest = LoadingFixture;

TEST_F(StagedLoadingTest, PausingTabsStartOneAfterAnotherAndOthersAtOnce)
{
    setProfile({{1, site(1)}, {2, site(2)}, {3, site(3)}, {4, site(4)}, {5, site(5)},
                {6, site(6)}},
               {{3, "P"}, {4, "P"}, {5, "P"}});
    startUp();
    EXPECT_EQ(browser(6).navigations, QStringList{site(6)});
    EXPECT_TRUE(browser(3).navigations.isEmpty());  // tabs 1, 2 and 6 are still loading

    tabs.tab(3).setCaption(QStringLiteral("old"));
    browser(1).load(site(1));
    browser(2).load(site(2));
    EXPECT_TRUE(browser(3).navigations.isEmpty());
    browser(6).load(site(6));
    EXPECT_EQ(browser(3).navigations, QStringList{site(3)});
    EXPECT_EQ(browser(3).blanks, 1);
    EXPECT_EQ(strip.caption(3), QString());  // a pausing tab loses its caption
    EXPECT_TRUE(browser(4).navigations.isEmpty());

    browser(3).load(site(3));
    EXPECT_EQ(browser(4).navigations, QStringList{site(4)});
    EXPECT_TRUE(browser(5).navigations.isEmpty());
    browser(4).load(site(4));
    browser(5).load(site(5));
    EXPECT_FALSE(session.tabs.startupDone);  // tabs without an address keep it open
}

TEST_F(StagedLoadingTest, ATabThatDoesNotPauseKeepsItsCaptionUntilItsPageNamesIt)
{
    setProfile({{1, site(1)}, {2, site(2)}, {3, site(3)}});
    startUp();
    tabs.tab(3).state().started = false;
    tabs.tab(3).setCaption(QStringLiteral("kept"));
    staged.startNextTabs();
    EXPECT_EQ(browser(3).navigations, (QStringList{site(3), site(3)}));
    EXPECT_EQ(strip.caption(3), QStringLiteral("kept"));
    EXPECT_EQ(strip.toolTip(3), QString());
}

TEST_F(StagedLoadingTest, WhenEveryTabHasStartedAndCompletedStartupIsDone)
{
    QMap<int, QString> all;
    for (int t = 1; t <= 30; ++t)
        all[t] = site(t);
    setProfile(all);
    startUp();
    for (int t = 1; t <= 30; ++t)
        EXPECT_EQ(browser(t).navigations.size(), 1) << t;
    for (int t = 1; t <= 30; ++t)
        browser(t).load(t <= 2 ? browser(t).navigations[0] : site(t));
    EXPECT_TRUE(session.tabs.startupDone);
}

TEST_F(StagedLoadingTest, OfflineStartsNothingUntilOnlineAgain)
{
    setProfile({{1, site(1)}, {2, site(2)}, {3, site(3)}});
    startUp();
    timers.pause(RefreshPause::Offline);
    tabs.tab(3).state().started = false;
    browser(3).navigations.clear();
    staged.startNextTabs();
    EXPECT_TRUE(browser(3).navigations.isEmpty());
    timers.resume(RefreshPause::Offline);
    staged.startNextTabs();
    EXPECT_EQ(browser(3).navigations, QStringList{site(3)});
}

TEST_F(StagedLoadingTest, AStuckLoadTimesOutAfter119SecondsAndThePausingTabStarts)
{
    setProfile({{1, site(1)}, {2, site(2)}, {3, site(3)}, {4, site(4)}}, {{4, "P"}});
    startUp();
    browser(1).load(site(1));
    browser(2).load(site(2));
    browser(3).startLoad(site(3));  // never completes
    EXPECT_TRUE(browser(4).navigations.isEmpty());
    clock.advance(119);
    timers.onRefreshTick();
    EXPECT_TRUE(browser(4).navigations.isEmpty());
    clock.advance(1);
    timers.onRefreshTick();
    EXPECT_EQ(browser(4).navigations, QStringList{site(4)});
}

TEST_F(StagedLoadingTest, AutomaticRefreshWaitsForItsIntervalAndPutsTheWorldBack)
{
    setProfile({{1, site(1)}, {2, site(2)}, {3, site(3)}}, {{3, "R"}}, 1);
    startUp();
    browser(3).load(site(3));
    clock.advance(60);
    timers.onRefreshTick();
    EXPECT_EQ(browser(3).refreshes, 0);
    clock.advance(1);
    timers.onRefreshTick();
    EXPECT_EQ(browser(3).refreshes, 1);
    EXPECT_EQ(strip.picture(3), TabPicture::None);
    emit browser(3).downloadComplete();
    EXPECT_EQ(strip.picture(3), TabPicture::World);
    EXPECT_FALSE(tabs.tab(3).state().refreshing);
}

TEST_F(StagedLoadingTest, ALongIntervalRefreshesOnTimeWithoutOverflow)
{
    setProfile({{1, site(1)}, {2, site(2)}, {3, site(3)}}, {{3, "R"}}, 1000);
    startUp();
    browser(3).load(site(3));
    clock.advance(1000 * 60 - 5);
    timers.onRefreshTick();
    EXPECT_EQ(browser(3).refreshes, 0);
    clock.advance(10);
    timers.onRefreshTick();
    EXPECT_EQ(browser(3).refreshes, 1);
    EXPECT_TRUE(prompts.messages().empty());
}

TEST_F(StagedLoadingTest, NothingTicksWhileHelpSetupFavoritesOrOfflineHoldIt)
{
    setProfile({{1, site(1)}, {2, site(2)}, {3, site(3)}}, {{3, "R"}}, 1);
    startUp();
    browser(3).load(site(3));
    clock.advance(600);
    for (const RefreshPause reason : {RefreshPause::Help, RefreshPause::Setup,
                                      RefreshPause::FavoritesPrompt, RefreshPause::AddingFavorite,
                                      RefreshPause::Offline}) {
        timers.pause(reason);
        EXPECT_FALSE(timers.refreshTimer().isActive());
        timers.onRefreshTick();
        timers.resume(reason);
        EXPECT_TRUE(timers.refreshTimer().isActive());
    }
    EXPECT_EQ(browser(3).refreshes, 0);
    // Its page was asked for 90 s ago: due, but not yet timed out.
    const QDateTime now = clock.now();
    clock.set(now.addSecs(-90));
    browser(3).startLoad(site(3));
    clock.set(now);
    tabs.tab(3).state().loading = true;
    timers.onRefreshTick();
    EXPECT_EQ(browser(3).refreshes, 0);  // a loading tab is not refreshed
}

TEST_F(StagedLoadingTest, Timer2StartsTheStagedLoadingOver)
{
    setProfile({{1, site(1)}, {2, site(2)}, {3, site(3)}});
    startUp();
    browser(3).load(site(3));
    timers.restartWhenSetupCloses();
    timers.restartTimer().start();
    timers.onRestartTick();
    EXPECT_FALSE(timers.restartTimer().isActive());
    EXPECT_FALSE(timers.restartPending());
    EXPECT_EQ(browser(3).navigations, (QStringList{site(3), site(3)}));
}

TEST_F(StagedLoadingTest, TheRefreshRunsAgainOnlyWhenNoReasonToWaitIsLeft)
{
    startUp();
    ASSERT_TRUE(timers.refreshTimer().isActive());
    // Help opened from an open Setup dialog: closing the help leaves Setup's pause.
    timers.pause(RefreshPause::Setup);
    timers.pause(RefreshPause::Help);
    timers.resume(RefreshPause::Help);
    EXPECT_FALSE(timers.refreshTimer().isActive());
    EXPECT_TRUE(timers.pauses().has(RefreshPause::Setup));
    timers.resume(RefreshPause::Setup);
    EXPECT_TRUE(timers.refreshTimer().isActive());
    EXPECT_FALSE(timers.pauses().any());
}
