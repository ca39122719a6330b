#include "platform/desktop_notifier.h"
#include "support/temp_home.h"
#include "support/window_parts_fixture.h"
#include "tabs/tab_strip.h"
#include "watch/active_hours.h"
#include "watch/tab_rotation.h"
#include "watch/tab_wall.h"
#include "watch/tab_watching.h"

#include <QStatusBar>
#include <QTabBar>

using namespace pelquin;

namespace {

// Tabs 1, 2, 3 and 7 with pages, each refreshed every 2 minutes, on a screen that rotates
// every 10 seconds. 2 March 2026 is a Monday.
class WallScreenTurnsTest : public test::WatchingFixture {
protected:
    void SetUp() override
    {
        session.appFolder = home.folder();
        clock.set(QDateTime(QDate(2026, 3, 2), QTime(17, 59)));
        setProfile({{1, site(1)}, {2, site(2)}, {3, site(3)}, {7, site(7)}},
                   {{1, "R"}, {2, "R"}, {3, "R"}, {7, "R"}}, 2);
    }
    void start(const QByteArray &rules = R"({"rules": []})")
    {
        home.write(QStringLiteral("Watch.json"), rules);
        watch(nullptr);
        for (const int t : {1, 2, 3, 7})
            browser(t).load(site(t));
        strip.select(1);
        rotation().setInterval(10);
        timers.setRefreshHold(
            [this](const BrowserTab &tab) { return rotation().holdsRefreshOf(tab); });
    }
    // Seconds pass, each with the rotation's second and, every 20, the refresh tick.
    void pass(int seconds)
    {
        for (int s = 0; s < seconds; ++s) {
            clock.advance(1);
            if (++m_second % 20 == 0) {
                timers.onRefreshTick();
                while (timers.queuedRefreshes() > 0)
                    timers.onSpacingTick();
            }
            const int was = strip.selected();
            const int count = refreshes(was);
            rotation().onSecond();
            shown << strip.selected();
            if (strip.selected() == was && refreshes(was) > count)
                refreshedOnScreen << was;
        }
    }
    int refreshes(int t) { return browser(t).refreshes; }
    TabRotation &rotation() { return watching->rotation(); }
    QString status() { return window.findChild<QStatusBar *>()->currentMessage(); }

    test::TempHome home;
    QList<int> shown;
    QList<int> refreshedOnScreen;
    int m_second = 0;
};

}  // namespace

TEST_F(WallScreenTurnsTest, ATabIsNeverRefreshedWhileShownButJustBeforeItsTurn)
{
    start();
    clock.advance(121);  // every tab is due
    for (int round = 0; round < 30; ++round)
        pass(10);
    EXPECT_EQ(refreshedOnScreen, QList<int>());
    // Five minutes: each tab was refreshed at least twice, every time out of sight.
    for (const int t : {1, 2, 3, 7})
        EXPECT_GE(refreshes(t), 2) << "tab " << t;
}

TEST_F(WallScreenTurnsTest, ATabStillLoadingAtItsTurnIsSkippedAndComesBackAfter)
{
    start();
    pass(5);
    EXPECT_EQ(status(), QStringLiteral("Next: Tab 2 in 5 s"));
    browser(2).startLoad(site(2));  // its refresh has not completed in time
    pass(5);
    EXPECT_EQ(strip.selected(), 3);
    browser(2).finishLoad(site(2));
    pass(20);
    EXPECT_EQ(strip.selected(), 1);
    pass(10);
    EXPECT_EQ(strip.selected(), 2);
}

TEST_F(WallScreenTurnsTest, ATabsOwnShowSecondsAndFailingOrPausedTabsLeftOut)
{
    start(R"({"rules": [{"address": "http://site2.example/", "showSeconds": 30},
                        {"address": "http://site3.example/", "hours": ["Mon-Fri 08:00-18:00"]}]})");
    browser(7).addressAnswer = {false, QStringLiteral("HTTP 503")};
    clock.advance(121);
    timers.onRefreshTick();  // tab 7 fails its refresh; the others refresh and complete
    while (timers.queuedRefreshes() > 0)
        timers.onSpacingTick();
    for (const int t : {1, 2, 3})
        browser(t).load(site(t));
    ASSERT_EQ(tab(7).health(), TabHealth::Failing);
    pass(61);  // 18:01: tab 3's hours are over
    ASSERT_TRUE(tab(3).paused());
    shown.clear();
    pass(80);
    // Tab 2 for 30 s, tab 1 for 10, and neither the failing tab nor the paused one.
    EXPECT_EQ(shown.count(2), 3 * shown.count(1));
    EXPECT_EQ(shown.count(1) + shown.count(2), 80);
    EXPECT_FALSE(shown.contains(3));
    EXPECT_FALSE(shown.contains(7));
}

TEST_F(WallScreenTurnsTest, OutsideItsHoursATabIsFrozenAndWaitsThenRefreshedOnce)
{
    start(R"({"rules": [{"address": "http://site3.example/", "hours": ["Mon-Fri 08:00-18:00"],
                         "appears": "down"}]})");
    rotation().setInterval(0);
    strip.select(1);
    clock.advance(61);  // Monday 18:00
    watching->activeHours().check();
    EXPECT_TRUE(tab(3).paused());
    EXPECT_TRUE(browser(3).frozen);
    EXPECT_TRUE(strip.bar()->tabToolTip(2).endsWith(QStringLiteral("\nPaused until Tue 08:00")));
    EXPECT_EQ(TabWall::stateOf(tab(3)), TileState::Paused);
    // Its refresh, its marks and its alerts wait the night.
    const int before = refreshes(3);
    clock.advance(3600);
    timers.onRefreshTick();
    EXPECT_EQ(refreshes(3), before);
    browser(3).changeText(QStringLiteral("node b down"));
    EXPECT_FALSE(tab(3).alerted());
    EXPECT_FALSE(strip.changedMark(3));
    // Tuesday 08:00: thawed and refreshed once.
    clock.set(QDateTime(QDate(2026, 3, 3), QTime(8, 0, 5)));
    watching->activeHours().check();
    EXPECT_FALSE(tab(3).paused());
    EXPECT_FALSE(browser(3).frozen);
    EXPECT_EQ(refreshes(3), before + 1);
    watching->activeHours().check();
    EXPECT_EQ(refreshes(3), before + 1);
}

TEST_F(WallScreenTurnsTest, AStartUpOutsideItsHoursStillLoadsThePageThenFreezesIt)
{
    clock.set(QDateTime(QDate(2026, 3, 7), QTime(10, 0)));  // a Saturday
    home.write(QStringLiteral("Watch.json"),
               R"({"rules": [{"address": "http://site3.example/", "hours": ["Mon-Fri 08:00-18:00"]}]})");
    watch(nullptr);
    browser(3).startLoad(site(3));
    watching->activeHours().check();
    EXPECT_FALSE(browser(3).frozen);  // still loading: it loads
    browser(3).finishLoad(site(3));
    EXPECT_TRUE(browser(3).frozen);
    EXPECT_EQ(tab(3).pausedLine(), QStringLiteral("Paused until Mon 08:00"));
}
