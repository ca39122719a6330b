#include "core/tab_state.h"
#include "commands/navigation_commands.h"
#include "sponsor/sponsor_site.h"
#include "support/window_parts_fixture.h"
#include "shell/status_area.h"
#include "tabs/tab_strip.h"
#include "tabs/timers.h"

using namespace pelquin;
using pelquin::test::LoadingFixture;

namespace {

QString site(int t)
{
    return QStringLiteral("http://site%1.example/").arg(t);
}

}  // namespace

class TypedWordsTest : public LoadingFixture {
protected:
    void SetUp() override
    {
        setProfile({{3, site(3)}, {4, site(4)}}, {{3, "R"}, {4, "R"}}, 1);
        startUp();
        browser(3).load(site(3));
        browser(4).load(site(4));
        clock.advance(90);
    }
};

TEST_F(TypedWordsTest, AnAutomaticRefreshWaitsWhileThePageHoldsTypedWords)
{
    strip.select(3);
    browser(3).typedText = true;
    timers.onRefreshTick();
    timers.onSpacingTick();  // tab 4's turn, a moment after tab 3's
    EXPECT_EQ(browser(3).refreshes, 0);
    EXPECT_EQ(browser(4).refreshes, 1);  // a page without typed words goes on as before
    EXPECT_TRUE(tabs.tab(3).state().refreshWaitsForTyping);
    EXPECT_EQ(status.text(), QString::fromLatin1(kRefreshWaitsText));
    // Still typed at the next tick: still waiting.
    clock.advance(20);
    timers.onRefreshTick();
    EXPECT_EQ(browser(3).refreshes, 0);
    // Sent or emptied: the first tick after refreshes, and the interval starts again.
    browser(3).typedText = false;
    clock.advance(20);
    timers.onRefreshTick();
    EXPECT_EQ(browser(3).refreshes, 1);
    EXPECT_FALSE(tabs.tab(3).state().refreshWaitsForTyping);
    EXPECT_EQ(tabs.tab(3).lastRefresh(), clock.now());
}

TEST_F(TypedWordsTest, TheWaitIsShownOnlyForTheSelectedTab)
{
    strip.select(4);
    const QString shown = status.text();
    browser(3).typedText = true;
    timers.onRefreshTick();
    EXPECT_EQ(status.text(), shown);
    strip.select(3);
    EXPECT_EQ(status.text(), QString::fromLatin1(kRefreshWaitsText));
}

TEST_F(TypedWordsTest, TheUsersOwnRefreshStillReloadsAtOnce)
{
    strip.select(3);
    browser(3).typedText = true;
    const SponsorSite sponsor{QStringLiteral("pelquin.localhost:8470")};
    NavigationCommands(session, controls(), menu, sponsor, errors).refresh();  // its key or button
    EXPECT_EQ(browser(3).refreshes, 1);
}

TEST_F(TypedWordsTest, APageThatNeverAnswersIsRefreshedAfterHalfAMinute)
{
    std::function<void(bool)> unanswered;
    browser(3).holdTypedAnswer = &unanswered;
    timers.onRefreshTick();
    EXPECT_EQ(browser(3).refreshes, 0);
    clock.advance(20);
    timers.onRefreshTick();
    EXPECT_EQ(browser(3).refreshes, 0);  // still waiting for its answer
    clock.advance(Timers::kTypingAnswerSeconds);
    timers.onRefreshTick();
    EXPECT_EQ(browser(3).refreshes, 1);
    // Its late answer changes nothing.
    unanswered(true);
    EXPECT_FALSE(tabs.tab(3).state().refreshWaitsForTyping);
}
