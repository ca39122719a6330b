#include "support/window_parts_fixture.h"
#include "tabs/timers.h"

#include <QTest>

using namespace pelquin;
using pelquin::test::LoadingFixture;

class RefreshSpacingTest : public LoadingFixture {
protected:
    void SetUp() override
    {
        setProfile({{3, site(3)}, {4, site(4)}, {5, site(5)}},
                     {{3, "R"}, {4, "R"}, {5, "R"}}, 1);
        startUp();
        for (int t = 3; t <= 5; ++t)
            browser(t).load(site(t));
        clock.advance(90);
    }

    int refreshed() const
    {
        int n = 0;
        for (int t = 3; t <= 5; ++t)
            n += factory.browser(t).refreshes;
        return n;
    }
};

TEST_F(RefreshSpacingTest, TabsDueTogetherStartTheirRefreshOneAfterAnother)
{
    timers.onRefreshTick();
    EXPECT_EQ(browser(3).refreshes, 1);  // the first at once
    EXPECT_EQ(refreshed(), 1);
    EXPECT_EQ(timers.queuedRefreshes(), 2);
    timers.onSpacingTick();
    EXPECT_EQ(browser(4).refreshes, 1);
    EXPECT_EQ(browser(5).refreshes, 0);
    timers.onSpacingTick();
    EXPECT_EQ(browser(5).refreshes, 1);
    EXPECT_EQ(timers.queuedRefreshes(), 0);
}

TEST_F(RefreshSpacingTest, TheTurnsAreAQuarterOfASecondApartOnTheRealTimer)
{
    timers.onRefreshTick();
    EXPECT_EQ(refreshed(), 1);
    QTest::qWait(Timers::kRefreshSpacingMs * 3 + 200);
    EXPECT_EQ(refreshed(), 3);
}

TEST_F(RefreshSpacingTest, ATabLoadedInTheMeantimeIsNoLongerDue)
{
    timers.onRefreshTick();
    browser(4).load(site(4));  // the user or the page asked for it
    timers.onSpacingTick();
    timers.onSpacingTick();
    EXPECT_EQ(browser(4).refreshes, 0);
    EXPECT_EQ(browser(5).refreshes, 1);
}

TEST_F(RefreshSpacingTest, APauseDropsTheTurnsLeftAndTheNextTickFindsThemAgain)
{
    timers.onRefreshTick();
    timers.pause(RefreshPause::Help);
    EXPECT_EQ(timers.queuedRefreshes(), 0);
    timers.onSpacingTick();
    EXPECT_EQ(refreshed(), 1);
    timers.resume(RefreshPause::Help);
    timers.onRefreshTick();
    timers.onSpacingTick();
    EXPECT_EQ(browser(4).refreshes, 1);
    EXPECT_EQ(browser(5).refreshes, 1);
    EXPECT_EQ(browser(3).refreshes, 1);  // refreshed once: not due again yet
}
