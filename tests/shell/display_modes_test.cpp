#include "tabs/tab_collection.h"
#include "platform/twips.h"
#include "commands/commands.h"
#include "shell/display_modes.h"
#include "commands/speed_menu.h"
#include "shell/window_layout.h"
#include "support/shell_fixture.h"
#include "tabs/timers.h"
#include "shell/button_bar.h"
#include "shell/status_area.h"
#include "tabs/tab_strip.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QScreen>
#include <QStatusBar>

using namespace pelquin;
using pelquin::test::ShellFixture;

class DisplayModesTest : public ShellFixture {
protected:
    void SetUp() override
    {
        storeNormalWindow(12000, 9000);
        start();
    }
    DisplayModes &modes() { return window->displayModes(); }
    QString caption(QAction *item) { return item->text(); }
    int browserTop(int t) { return window->tabs().tab(t).page()->y(); }
    int browserHeight(int t) { return window->tabs().tab(t).page()->height(); }
};

TEST_F(DisplayModesTest, AllBarsShownLayOutDropdownsAndBrowsers)
{
    EXPECT_EQ(window->tabs().tab(1).addressBox().y(), toPixels(1100));
    EXPECT_EQ(browserTop(1), toPixels(1500));
    EXPECT_EQ(browserHeight(1), toPixels(9000 - 2300));
    EXPECT_EQ(window->tabs().tab(1).page()->width(), toPixels(12000 - 225));
    EXPECT_EQ(window->tabs().tab(2).page()->width(), toPixels(12000 - 225));
    EXPECT_EQ(window->tabStrip().height(), toPixels(1500 + 9000 - 2300));
}

TEST_F(DisplayModesTest, HidingTheButtonsMovesTheAddressBarUp)
{
    modes().toggleButtonBar();
    EXPECT_TRUE(window->buttons().isHidden());
    EXPECT_EQ(caption(window->menu().hideButtonsItem), QStringLiteral("&Show Buttons"));
    EXPECT_EQ(window->tabs().tab(5).addressBox().y(), toPixels(440));
    EXPECT_EQ(browserTop(5), toPixels(840));
    modes().toggleButtonBar();
    EXPECT_FALSE(window->buttons().isHidden());
    EXPECT_EQ(caption(window->menu().hideButtonsItem), QStringLiteral("&Hide Buttons"));
    EXPECT_EQ(browserTop(5), toPixels(1500));
}

TEST_F(DisplayModesTest, HidingTheAddressBarKeepsTheDropdownsWhereTheyWere)
{
    modes().toggleAddressBar();
    EXPECT_TRUE(window->tabs().tab(1).addressBox().isHidden());
    EXPECT_EQ(browserTop(1), toPixels(1185));
    EXPECT_EQ(window->tabs().tab(1).addressBox().y(), toPixels(1100));
    window->tabStrip().select(4);
    EXPECT_TRUE(window->tabs().tab(4).addressBox().isHidden());
    modes().toggleAddressBar();
    EXPECT_FALSE(window->tabs().tab(4).addressBox().isHidden());
    EXPECT_TRUE(window->tabs().tab(1).addressBox().isHidden());
    window->tabStrip().select(6);
    EXPECT_FALSE(window->tabs().tab(6).addressBox().isHidden());
    EXPECT_TRUE(window->tabs().tab(4).addressBox().isHidden());
}

TEST_F(DisplayModesTest, ShowingTheStatusBarOnAnUnsecuredPageLeavesThePadlockHidden)
{
    modes().toggleStatusBar();
    EXPECT_TRUE(window->status().statusBar()->isHidden());
    EXPECT_EQ(browserHeight(1), toPixels(9000 - 1900));
    EXPECT_EQ(caption(window->menu().hideStatusBarItem),
              QStringLiteral("&Show Status and Progress Bar"));
    modes().toggleStatusBar();
    EXPECT_FALSE(window->status().statusBar()->isHidden());
    EXPECT_TRUE(window->status().padlock()->isHidden());
}

TEST_F(DisplayModesTest, ExpertModeHidesWhatIsShownMaximisesAndLeavingShowsAll)
{
    modes().toggleStatusBar();
    modes().toggleExpertMode();
    EXPECT_TRUE(window->windowLayout().bars().allHidden());
    EXPECT_EQ(caption(window->menu().expertModeItem), QStringLiteral("Leave E&xpert Mode"));
    EXPECT_TRUE(window->windowState() & Qt::WindowMaximized);
    modes().toggleExpertMode();
    EXPECT_FALSE(window->buttons().isHidden());
    EXPECT_FALSE(window->status().statusBar()->isHidden());
    EXPECT_FALSE(window->tabs().tab(1).addressBox().isHidden());
    EXPECT_EQ(caption(window->menu().expertModeItem),
              QStringLiteral("Full Screen Mode (E&xpert Mode)"));
}

TEST_F(DisplayModesTest, HidingEveryBarByHandAlsoNamesTheExpertMode)
{
    modes().toggleButtonBar();
    modes().toggleAddressBar();
    EXPECT_EQ(caption(window->menu().expertModeItem),
              QStringLiteral("Full Screen Mode (E&xpert Mode)"));
    modes().toggleStatusBar();
    EXPECT_EQ(caption(window->menu().expertModeItem), QStringLiteral("Leave E&xpert Mode"));
    EXPECT_EQ(browserTop(1), toPixels(350));
    EXPECT_EQ(browserHeight(1), toPixels(9000 - 750));
}

TEST_F(DisplayModesTest, ANarrowWindowIsWidenedToTheMinimum)
{
    window->resize(toPixels(8000), window->height());
    EXPECT_EQ(window->frameGeometry().width(), toPixels(9195));
}

TEST_F(DisplayModesTest, SelectingATabShowsItsBrowserAndDropdownOnly)
{
    window->tabStrip().select(9);
    EXPECT_EQ(session->tabs.lastSelectedTab, 9);
    EXPECT_EQ(window->tabStrip().draggedTab(), 9);
    EXPECT_FALSE(window->tabs().tab(9).page()->isHidden());
    EXPECT_TRUE(window->tabs().tab(1).page()->isHidden());
    EXPECT_FALSE(window->tabs().tab(9).addressBox().isHidden());
    EXPECT_TRUE(window->tabs().tab(1).addressBox().isHidden());
    EXPECT_FALSE(window->tabStrip().dragsTabs());
    window->timers().pause(RefreshPause::Setup);
    window->tabStrip().select(10);
    EXPECT_TRUE(window->tabStrip().dragsTabs());
}

TEST_F(DisplayModesTest, TheKeysGoToTheAddressBoxOrWithoutAnAddressBarToThePage)
{
    window->tabStrip().select(9);
    EXPECT_TRUE(window->tabs().tab(9).addressBox().hasFocus());
    modes().toggleAddressBar();
    // A wall screen without bars: the page shown has the keys, so it runs as if looked at.
    window->tabStrip().select(10);
    EXPECT_TRUE(window->tabs().tab(10).page()->hasFocus());
    window->tabStrip().select(9);
    EXPECT_TRUE(window->tabs().tab(9).page()->hasFocus());
    EXPECT_FALSE(window->tabs().tab(10).page()->hasFocus());
}

TEST_F(DisplayModesTest, ALinkDroppedOnATabLoadsThereAndSelectsItUnlessAModifierIsHeld)
{
    emit window->tabStrip().linkDropped(5, QStringLiteral("http://drop.example/"), true,
                                        Qt::NoModifier);
    EXPECT_EQ(browser(5).navigations.last(), QStringLiteral("http://drop.example/"));
    EXPECT_EQ(browser(5).blanks, 1);
    EXPECT_EQ(window->tabStrip().selected(), 5);
    emit window->tabStrip().linkDropped(7, QStringLiteral("http://other.example/"), true,
                                        Qt::ShiftModifier);
    EXPECT_EQ(browser(7).navigations.last(), QStringLiteral("http://other.example/"));
    EXPECT_EQ(window->tabStrip().selected(), 5);
    emit window->tabStrip().linkDropped(7, QStringLiteral("x jAvAsCrIpT:alert(1)"), true,
                                        Qt::NoModifier);
    EXPECT_EQ(browser(7).navigations.size(), 1);
    emit window->tabStrip().linkDropped(0, QStringLiteral("http://nowhere/"), true,
                                        Qt::NoModifier);
    EXPECT_TRUE(prompts.messages().empty());
}

TEST_F(DisplayModesTest, F11FillsTheScreenAndPutsTheWindowBackAsItWas)
{
    const QRect before = window->geometry();
    window->commands().run(Command::FullScreen, CommandSource::Key);
    EXPECT_TRUE(modes().fullScreen());
    EXPECT_TRUE(window->windowState() & Qt::WindowFullScreen);
    EXPECT_EQ(window->geometry(), window->screen()->geometry());
    EXPECT_TRUE(window->status().statusBar()->isHidden());  // expert mode
    window->commands().run(Command::FullScreen, CommandSource::Key);
    EXPECT_FALSE(modes().fullScreen());
    EXPECT_FALSE(window->windowState() & Qt::WindowFullScreen);
    EXPECT_EQ(window->geometry(), before);
    EXPECT_FALSE(window->status().statusBar()->isHidden());

    // Leaving expert mode from the menu ends the full screen as well.
    window->commands().run(Command::FullScreen, CommandSource::Key);
    modes().toggleExpertMode();
    EXPECT_FALSE(modes().fullScreen());
    EXPECT_EQ(window->geometry(), before);
    EXPECT_FALSE(window->status().statusBar()->isHidden());
}
