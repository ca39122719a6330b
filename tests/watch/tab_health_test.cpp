#include "platform/desktop_notifier.h"
#include "support/recording_notifier.h"
#include "support/temp_home.h"
#include "support/window_parts_fixture.h"
#include "tabs/tab_strip.h"
#include "watch/tab_health_watch.h"
#include "watch/tab_wall.h"
#include "watch/tab_watching.h"
#include "watch/watch_options.h"

#include <QStatusBar>
#include <QTabBar>

using namespace pelquin;

namespace {

// Tabs 3, 4 and 5 refresh every minute; the user looks at tab 4.
class TabHealthTest : public test::WatchingFixture {
protected:
    void SetUp() override
    {
        session.appFolder = home.folder();
        clock.set(QDateTime(QDate(2026, 3, 2), QTime(14, 7)));
        setProfile({{3, site(3)}, {4, site(4)}, {5, site(5)}}, {{3, "R"}, {4, "R"}, {5, "R"}},
                   1);
    }
    void start(const QByteArray &rules = R"({"rules": []})")
    {
        home.write(QStringLiteral("Watch.json"), rules);
        watch(&notices);
        watching->applyOptions(WatchOptions{true, 0});
        for (int t : {3, 4, 5}) {
            browser(t).visibleText = QStringLiteral("Queue: 4 at 14:07");
            browser(t).load(site(t));
        }
        strip.select(4);
    }
    // The refresh timer's tick, and every tab it found due in turn.
    void tick()
    {
        timers.onRefreshTick();
        while (timers.queuedRefreshes() > 0)
            timers.onSpacingTick();
    }
    QString tipOf(int t) { return strip.bar()->tabToolTip(t - 1); }

    test::TempHome home;
    test::RecordingNotifier notices;
};

}  // namespace

TEST_F(TabHealthTest, ATabWhoseWatchedTextStandsStillLongerThanItsRuleAllowsIsStale)
{
    start(R"({"rules": [{"address": "http://site3.example/", "ignoreNumbers": true,
                         "staleMinutes": 10}]})");
    const QDateTime movedAt = clock.now();
    clock.advance(6 * 60);
    browser(3).changeText(QStringLiteral("Queue: 7 at 14:13"));  // numbers only: no change
    clock.advance(5 * 60);
    watching->health().checkStaleness();
    EXPECT_EQ(tab(3).health(), TabHealth::Stale);
    EXPECT_EQ(strip.healthMark(3), TabHealth::Stale);
    EXPECT_TRUE(tipOf(3).endsWith(
        QStringLiteral("\nNo change since %1").arg(movedAt.toString(u"HH:mm"))))
        << tipOf(3).toStdString();
    EXPECT_EQ(TabWall::stateOf(tab(3)), TileState::Stale);
    EXPECT_EQ(tab(5).health(), TabHealth::Fine);  // no rule, no staleness
    browser(3).changeText(QStringLiteral("Queue: 7 at 14:18, node b down"));
    watching->health().checkStaleness();
    EXPECT_EQ(tab(3).health(), TabHealth::Fine);
    // Staleness is shown, not sent; the change is.
    EXPECT_EQ(notices.summaries, QStringList{QStringLiteral("3|Tab 3 changed")});
}

TEST_F(TabHealthTest, TheShownTabThatUpdatesItselfIsNotStale)
{
    start(R"({"rules": [{"address": "http://site4.example/", "staleMinutes": 5}]})");
    for (int minute = 1; minute <= 8; ++minute) {
        clock.advance(60);
        browser(4).changeText(QStringLiteral("Queue: %1").arg(minute));
    }
    watching->health().checkStaleness();
    EXPECT_EQ(tab(4).health(), TabHealth::Fine);
}

TEST_F(TabHealthTest, ARefreshThatBringsAPasswordFieldSignsTheTabOut)
{
    start();
    clock.advance(61);
    tick();
    ASSERT_EQ(browser(3).refreshes, 1);
    browser(3).passwordField = true;
    browser(3).load(site(3));  // the refresh lands on a login form
    EXPECT_EQ(tab(3).health(), TabHealth::SignedOut);
    EXPECT_EQ(strip.healthMark(3), TabHealth::SignedOut);
    EXPECT_TRUE(tipOf(3).endsWith(QStringLiteral("\nSigned out (14:08)")));
    EXPECT_EQ(TabWall::stateOf(tab(3)), TileState::SignedOut);
    EXPECT_EQ(notices.summaries, QStringList{QStringLiteral("3|Tab 3 was signed out")});
    // Refreshed again, still the login form: still signed out, and told once.
    clock.advance(61);
    tick();
    browser(3).load(site(3));
    EXPECT_EQ(tab(3).health(), TabHealth::SignedOut);
    // The user logs in: the page is back, and the tab is fine.
    browser(3).passwordField = false;
    browser(3).load(site(3));
    EXPECT_EQ(tab(3).health(), TabHealth::Fine);
    EXPECT_EQ(notices.summaries.last(), QStringLiteral("3|Tab 3 is fine again"));
}

TEST_F(TabHealthTest, APasswordFieldTheUserWentToOrThePageAlwaysHadIsNoSigningOut)
{
    start();
    browser(5).passwordField = true;
    browser(5).load(QStringLiteral("http://site5.example/login"));  // the user's own doing
    EXPECT_EQ(tab(5).health(), TabHealth::Fine);
    clock.advance(61);
    tick();
    browser(5).load(QStringLiteral("http://site5.example/login"));  // refreshed, as it was
    EXPECT_EQ(tab(5).health(), TabHealth::Fine);
    // Sent to another host's login by a refresh: signed out.
    clock.advance(61);
    tick();
    browser(5).load(QStringLiteral("http://login.example/sso"));
    EXPECT_EQ(tab(5).health(), TabHealth::SignedOut);
}

TEST_F(TabHealthTest, AFailingTabIsToldAfterItsThirdTryAndAgainWhenFine)
{
    start();
    browser(3).addressAnswer = {false, QStringLiteral("HTTP 503")};
    clock.advance(61);
    tick();
    clock.advance(31);
    tick();
    EXPECT_TRUE(notices.summaries.isEmpty());
    clock.advance(61);
    tick();
    EXPECT_EQ(tab(3).refreshTrouble().tries, 3);
    EXPECT_EQ(notices.summaries, QStringList{QStringLiteral("3|Tab 3 could not refresh: HTTP 503")});
    clock.advance(121);
    tick();
    EXPECT_EQ(notices.summaries.size(), 1);  // once while it lasts
    EXPECT_EQ(TabWall::stateOf(tab(3)), TileState::Failing);
    browser(3).addressAnswer = {true, QString()};
    clock.advance(61);
    tick();
    browser(3).load(site(3));
    EXPECT_EQ(notices.summaries.last(), QStringLiteral("3|Tab 3 is fine again"));
}

TEST_F(TabHealthTest, TheNextTabKeyGoesToUnwellTabsAfterAlertsAndSaysWhy)
{
    start();
    browser(5).addressAnswer = {false, QStringLiteral("timed out")};
    clock.advance(61);
    tick();
    browser(3).visibleText = QStringLiteral("Queue: 5 at 14:08");
    browser(3).load(site(3));
    ASSERT_TRUE(strip.changedMark(3));
    watching->goToNextChangedTab();
    EXPECT_EQ(strip.selected(), 5);
    EXPECT_EQ(window.findChild<QStatusBar *>()->currentMessage(),
              QStringLiteral("Tab 5: Could not refresh since 14:08 (1 try): timed out"));
    watching->goToNextChangedTab();
    EXPECT_EQ(strip.selected(), 3);
}
