#include "commands/commands.h"
#include "commands/speed_menu.h"
#include "support/shell_fixture.h"
#include "tabs/timers.h"
#include "tabs/button_bar.h"
#include "commands/navigation_commands.h"
#include "tabs/tab_strip.h"

#include <QAction>
#include <QDialog>

using namespace pelquin;
using pelquin::test::ShellFixture;

class NavigationTest : public ShellFixture {
protected:
    void SetUp() override
    {
        writeProfile({{3, QStringLiteral("http://home3.example/")}});
        start();
    }
    NavigationCommands &nav() { return window->commands().navigation(); }
};

TEST_F(NavigationTest, BackWithoutHistoryDisablesBackForThatTabOnly)
{
    window->tabStrip().select(3);
    emit browser(3).historyButtonChange(HistoryButton::Back, true);
    emit browser(4).historyButtonChange(HistoryButton::Back, true);
    EXPECT_TRUE(window->buttons().enabled(1));
    nav().goBack();
    EXPECT_FALSE(window->buttons().enabled(1));
    EXPECT_FALSE(window->tabs().tab(3).state().backEnabled);
    EXPECT_EQ(session->tabs.historyDirection, HistoryDirection::Back);
    window->tabStrip().select(4);
    EXPECT_TRUE(window->buttons().enabled(1));
    EXPECT_TRUE(prompts.messages().empty());
}

TEST_F(NavigationTest, BackAndForwardMoveThroughTheHistoryAndKeepTheirDirection)
{
    window->tabStrip().select(3);
    browser(3).history = {"a", "b", "c"};
    browser(3).historyIndex = 1;
    window->tabs().tab(3).state().loading = true;
    nav().goBack();
    EXPECT_EQ(browser(3).navigations.last(), QStringLiteral("a"));
    EXPECT_FALSE(window->tabs().tab(3).state().loading);
    nav().goForward();
    EXPECT_EQ(browser(3).navigations.last(), QStringLiteral("b"));
    EXPECT_EQ(session->tabs.historyDirection, HistoryDirection::Forward);
    nav().goForward();
    nav().goForward();
    EXPECT_FALSE(window->buttons().enabled(2));
    EXPECT_FALSE(window->tabs().tab(3).state().forwardEnabled);
}

TEST_F(NavigationTest, StopLeavesSponsorPagesAloneAndStopsOnlyABusyBrowser)
{
    browser(1).load(sponsor.welcomeUrl());
    window->tabs().tab(1).state().loading = true;
    session->tabs.historyDirection = HistoryDirection::Forward;
    nav().stop();
    EXPECT_TRUE(window->tabs().tab(1).state().loading);
    EXPECT_EQ(session->tabs.historyDirection, HistoryDirection::Forward);

    window->tabStrip().select(3);
    browser(3).load(QStringLiteral("http://home3.example/"));
    window->tabs().tab(3).state().loading = true;
    nav().stop();
    EXPECT_FALSE(window->tabs().tab(3).state().loading);
    EXPECT_EQ(session->tabs.historyDirection, HistoryDirection::None);
    EXPECT_EQ(browser(3).stops, 0);
    browser(3).navigate(QStringLiteral("http://slow.example/"));
    nav().stop();
    EXPECT_EQ(browser(3).stops, 1);
}

TEST_F(NavigationTest, RefreshMarksTheTabAndItsWorldComesBackWhenDone)
{
    window->tabStrip().select(30);
    window->tabs().tab(30).setPicture(TabPicture::World);
    nav().refresh();
    EXPECT_EQ(browser(30).refreshes, 1);
    EXPECT_EQ(window->tabStrip().picture(30), TabPicture::None);
    EXPECT_TRUE(window->tabs().tab(30).state().refreshing);
    emit browser(30).downloadComplete();
    EXPECT_EQ(window->tabStrip().picture(30), TabPicture::World);
}

TEST_F(NavigationTest, HomeLoadsTheStartAddressOnlyWhenThereIsOne)
{
    window->tabStrip().select(3);
    nav().goHome();
    EXPECT_EQ(browser(3).navigations.last(), QStringLiteral("http://home3.example/"));
    window->tabStrip().select(4);
    nav().goHome();
    EXPECT_TRUE(browser(4).navigations.isEmpty());
}

TEST_F(NavigationTest, SearchBringsTabTwoToTheSearchPageUnlessItShowsResults)
{
    window->tabStrip().select(5);
    browser(2).load(QStringLiteral("http://elsewhere.example/"));
    browser(2).navigations.clear();
    nav().search();
    EXPECT_EQ(browser(2).navigations, QStringList{sponsor.searchFormUrl()});
    EXPECT_EQ(browser(2).blanks, 2);
    EXPECT_EQ(window->tabStrip().selected(), 2);
    browser(2).load(sponsor.url(QStringLiteral("/sc?q=cats")));
    browser(2).navigations.clear();
    window->tabStrip().select(6);
    nav().search();
    EXPECT_TRUE(browser(2).navigations.isEmpty());
    EXPECT_EQ(window->tabStrip().selected(), 2);
}

TEST_F(NavigationTest, PrintRunsOnlyWhenThePageCanBePrinted)
{
    window->tabStrip().select(4);
    nav().print();
    EXPECT_TRUE(browser(4).execs.isEmpty());
    browser(4).load(QStringLiteral("http://page.example/"));
    nav().print();
    EXPECT_EQ(browser(4).execs, QList<PageCommand>{PageCommand::Print});
}

TEST_F(NavigationTest, HoveringTheButtonBarShowsTheHomeAddress)
{
    window->tabStrip().select(3);
    emit window->buttons().mouseMoved();
    EXPECT_EQ(window->buttons().button(5)->toolTip(), QStringLiteral("http://home3.example/"));
}

TEST_F(NavigationTest, WhileSetupIsOpenSomeButtonsDoNothing)
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
