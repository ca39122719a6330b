#include "core/tab_state.h"
#include "support/shell_fixture.h"
#include "tabs/status_area.h"
#include "tabs/tab_strip.h"
#include "commands/commands.h"
#include "tabs/timers.h"

using namespace pelquin;
using pelquin::test::ShellFixture;

namespace {

QString site(int t)
{
    return QStringLiteral("http://site%1.example/").arg(t);
}

}  // namespace

class TypedWordsTest : public ShellFixture {
protected:
    void SetUp() override
    {
        writeProfile({{3, site(3)}, {4, site(4)}}, {{3, "R"}, {4, "R"}}, 1);
        start();
        browser(3).load(site(3));
        browser(4).load(site(4));
        clock.advance(90);
    }
};

TEST_F(TypedWordsTest, AnAutomaticRefreshWaitsWhileThePageHoldsTypedWords)
{
    window->tabStrip().select(3);
    browser(3).typedText = true;
    window->timers().onRefreshTick();
    window->timers().onSpacingTick();  // tab 4's turn, a moment after tab 3's
    EXPECT_EQ(browser(3).refreshes, 0);
    EXPECT_EQ(browser(4).refreshes, 1);  // a page without typed words goes on as before
    EXPECT_TRUE(window->tabs().tab(3).state().refreshWaitsForTyping);
    EXPECT_EQ(window->status().text(), QString::fromLatin1(kRefreshWaitsText));
    // Still typed at the next tick: still waiting.
    clock.advance(20);
    window->timers().onRefreshTick();
    EXPECT_EQ(browser(3).refreshes, 0);
    // Sent or emptied: the first tick after refreshes, and the interval starts again.
    browser(3).typedText = false;
    clock.advance(20);
    window->timers().onRefreshTick();
    EXPECT_EQ(browser(3).refreshes, 1);
    EXPECT_FALSE(window->tabs().tab(3).state().refreshWaitsForTyping);
    EXPECT_EQ(window->tabs().tab(3).lastRefresh, clock.now());
}

TEST_F(TypedWordsTest, TheWaitIsShownOnlyForTheSelectedTab)
{
    window->tabStrip().select(4);
    const QString shown = window->status().text();
    browser(3).typedText = true;
    window->timers().onRefreshTick();
    EXPECT_EQ(window->status().text(), shown);
    window->tabStrip().select(3);
    EXPECT_EQ(window->status().text(), QString::fromLatin1(kRefreshWaitsText));
}

TEST_F(TypedWordsTest, TheUsersOwnRefreshStillReloadsAtOnce)
{
    window->tabStrip().select(3);
    browser(3).typedText = true;
    window->commands().run(Command::Refresh, CommandSource::Key);
    EXPECT_EQ(browser(3).refreshes, 1);
}

TEST_F(TypedWordsTest, APageThatNeverAnswersIsRefreshedAfterHalfAMinute)
{
    std::function<void(bool)> unanswered;
    browser(3).holdTypedAnswer = &unanswered;
    window->timers().onRefreshTick();
    EXPECT_EQ(browser(3).refreshes, 0);
    clock.advance(20);
    window->timers().onRefreshTick();
    EXPECT_EQ(browser(3).refreshes, 0);  // still waiting for its answer
    clock.advance(Timers::kTypingAnswerSeconds);
    window->timers().onRefreshTick();
    EXPECT_EQ(browser(3).refreshes, 1);
    // Its late answer changes nothing.
    unanswered(true);
    EXPECT_FALSE(window->tabs().tab(3).state().refreshWaitsForTyping);
}
