#include "commands/commands.h"
#include "commands/speed_menu.h"
#include "sponsor/sponsor_site.h"
#include "support/shell_fixture.h"
#include "support/window_parts_fixture.h"
#include "tabs/timers.h"
#include "shell/button_bar.h"
#include "commands/navigation_commands.h"
#include "tabs/tab_strip.h"

#include <QAction>
#include <QDialog>

using namespace pelquin;
using pelquin::test::LoadingFixture;
using pelquin::test::ShellFixture;

class NavigationTest : public LoadingFixture {
protected:
    NavigationTest()
    {
        // The Home button's hint follows the mouse, as the commands wire it.
        QObject::connect(&buttons, &ButtonBar::mouseMoved, &window, [this] { m_nav.homeHint(); });
    }
    void SetUp() override
    {
        setProfile({{1, sponsor.welcomeUrl()},
                    {2, sponsor.searchFormUrl()},
                    {3, QStringLiteral("http://home3.example/")}});
        startUp();
    }
    NavigationCommands &nav() { return m_nav; }

    SponsorSite sponsor{QStringLiteral("pelquin.localhost:8470")};

private:
    NavigationCommands m_nav{session, controls(), menu, sponsor, errors};
};

TEST_F(NavigationTest, BackWithoutHistoryDisablesBackForThatTabOnly)
{
    strip.select(3);
    emit browser(3).historyButtonChange(HistoryButton::Back, true);
    emit browser(4).historyButtonChange(HistoryButton::Back, true);
    EXPECT_TRUE(buttons.enabled(1));
    nav().goBack();
    EXPECT_FALSE(buttons.enabled(1));
    EXPECT_FALSE(tabs.tab(3).state().backEnabled);
    EXPECT_EQ(session.tabs.historyDirection, HistoryDirection::Back);
    strip.select(4);
    EXPECT_TRUE(buttons.enabled(1));
    EXPECT_TRUE(prompts.messages().empty());
}

TEST_F(NavigationTest, BackAndForwardMoveThroughTheHistoryAndKeepTheirDirection)
{
    strip.select(3);
    browser(3).history = {"a", "b", "c"};
    browser(3).historyIndex = 1;
    tabs.tab(3).state().loading = true;
    nav().goBack();
    EXPECT_EQ(browser(3).navigations.last(), QStringLiteral("a"));
    EXPECT_FALSE(tabs.tab(3).state().loading);
    nav().goForward();
    EXPECT_EQ(browser(3).navigations.last(), QStringLiteral("b"));
    EXPECT_EQ(session.tabs.historyDirection, HistoryDirection::Forward);
    nav().goForward();
    nav().goForward();
    EXPECT_FALSE(buttons.enabled(2));
    EXPECT_FALSE(tabs.tab(3).state().forwardEnabled);
}

TEST_F(NavigationTest, StopLeavesSponsorPagesAloneAndStopsOnlyABusyBrowser)
{
    browser(1).load(sponsor.welcomeUrl());
    tabs.tab(1).state().loading = true;
    session.tabs.historyDirection = HistoryDirection::Forward;
    nav().stop();
    EXPECT_TRUE(tabs.tab(1).state().loading);
    EXPECT_EQ(session.tabs.historyDirection, HistoryDirection::Forward);

    strip.select(3);
    browser(3).load(QStringLiteral("http://home3.example/"));
    tabs.tab(3).state().loading = true;
    nav().stop();
    EXPECT_FALSE(tabs.tab(3).state().loading);
    EXPECT_EQ(session.tabs.historyDirection, HistoryDirection::None);
    EXPECT_EQ(browser(3).stops, 0);
    browser(3).navigate(QStringLiteral("http://slow.example/"));
    nav().stop();
    EXPECT_EQ(browser(3).stops, 1);
}

TEST_F(NavigationTest, RefreshMarksTheTabAndItsWorldComesBackWhenDone)
{
    strip.select(30);
    tabs.tab(30).setPicture(TabPicture::World);
    nav().refresh();
    EXPECT_EQ(browser(30).refreshes, 1);
    EXPECT_EQ(strip.picture(30), TabPicture::None);
    EXPECT_TRUE(tabs.tab(30).state().refreshing);
    emit browser(30).downloadComplete();
    EXPECT_EQ(strip.picture(30), TabPicture::World);
}

TEST_F(NavigationTest, HomeLoadsTheStartAddressOnlyWhenThereIsOne)
{
    strip.select(3);
    nav().goHome();
    EXPECT_EQ(browser(3).navigations.last(), QStringLiteral("http://home3.example/"));
    strip.select(4);
    nav().goHome();
    EXPECT_TRUE(browser(4).navigations.isEmpty());
}

TEST_F(NavigationTest, SearchBringsTabTwoToTheSearchPageUnlessItShowsResults)
{
    strip.select(5);
    browser(2).load(QStringLiteral("http://elsewhere.example/"));
    browser(2).navigations.clear();
    nav().search();
    EXPECT_EQ(browser(2).navigations, QStringList{sponsor.searchFormUrl()});
    EXPECT_EQ(browser(2).blanks, 2);
    EXPECT_EQ(strip.selected(), 2);
    browser(2).load(sponsor.url(QStringLiteral("/sc?q=cats")));
    browser(2).navigations.clear();
    strip.select(6);
    nav().search();
    EXPECT_TRUE(browser(2).navigations.isEmpty());
    EXPECT_EQ(strip.selected(), 2);
}

TEST_F(NavigationTest, PrintRunsOnlyWhenThePageCanBePrinted)
{
    strip.select(4);
    nav().print();
    EXPECT_TRUE(browser(4).execs.isEmpty());
    browser(4).load(QStringLiteral("http://page.example/"));
    nav().print();
    EXPECT_EQ(browser(4).execs, QList<PageCommand>{PageCommand::Print});
}

TEST_F(NavigationTest, HoveringTheButtonBarShowsTheHomeAddress)
{
    strip.select(3);
    emit buttons.mouseMoved();
    EXPECT_EQ(buttons.button(5)->toolTip(), QStringLiteral("http://home3.example/"));
}

// The buttons' commands of the whole window (Favorites, Help, Setup's pause).
class NavigationButtonsTest : public ShellFixture {
protected:
    void SetUp() override
    {
        writeProfile({{3, QStringLiteral("http://home3.example/")}});
        start();
    }
};

TEST_F(NavigationButtonsTest, WhileSetupIsOpenSomeButtonsDoNothing)
{
    int favorites = 0;
    QObject::connect(window->menu().item(Command::Favorites), &QAction::triggered,
                     [&] { ++favorites; });
    window->timers().pause(RefreshPause::Setup);
    for (const int button : {7, 8, 9, 11, 12})  // Favorites, History, Print, Goto Tab, Help
        window->commands().onButtonClicked(button);
    EXPECT_EQ(prompts.formTitles(), QStringList());
    EXPECT_EQ(favorites, 0);
    window->tabStrip().select(3);
    window->commands().onButtonClicked(5);  // Home
    EXPECT_EQ(browser(3).navigations.size(), 2);
    window->timers().resume(RefreshPause::Setup);
    window->commands().onButtonClicked(7);
    window->commands().onButtonClicked(12);
    EXPECT_EQ(favorites, 1);
    EXPECT_EQ(prompts.formTitles(), (QStringList{"Favorites", "Help"}));
    window->commands().onButtonClicked(13);  // no such button: nothing
}
