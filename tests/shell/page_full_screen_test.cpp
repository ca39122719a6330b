#include "shell/display_modes.h"
#include "commands/shortcuts.h"
#include "commands/speed_menu.h"
#include "shell/window_layout.h"
#include "support/shell_fixture.h"
#include "tabs/tab_collection.h"
#include "shell/button_bar.h"
#include "shell/status_area.h"
#include "tabs/tab_strip.h"

#include <QAction>
#include <QComboBox>
#include <QStatusBar>

using namespace pelquin;
using pelquin::test::ShellFixture;

namespace {

class PageFullScreenTest : public ShellFixture {
protected:
    void SetUp() override { start(); }
    bool escape() { return window->shortcuts().onKeyPress(Qt::Key_Escape, Qt::NoModifier); }
};

}  // namespace

TEST_F(PageFullScreenTest, EscapeEndsFullScreenBeforeItStopsTheLoadingTab)
{
    window->tabStrip().select(3);
    browser(3).startLoad(QStringLiteral("http://video.example/"));
    browser(3).setFullScreen(true);
    ASSERT_TRUE(browser(3).fullScreen());

    EXPECT_TRUE(escape());
    EXPECT_FALSE(browser(3).fullScreen());
    EXPECT_EQ(browser(3).stops, 0);
    EXPECT_TRUE(escape());  // now it stops the load, as before
    EXPECT_EQ(browser(3).stops, 1);
}

TEST_F(PageFullScreenTest, SelectingAnotherTabEndsTheFullScreenOfTheOneLeft)
{
    window->tabStrip().select(3);
    browser(3).setFullScreen(true);
    window->tabStrip().select(4);
    EXPECT_FALSE(browser(3).fullScreen());
    EXPECT_EQ(browser(3).fullScreenExits, 1);
    EXPECT_EQ(browser(4).fullScreenExits, 0);
}

TEST_F(PageFullScreenTest, APageOfATabBehindCannotGoFullScreen)
{
    window->tabStrip().select(1);
    browser(5).setFullScreen(true);
    EXPECT_FALSE(browser(5).fullScreen());
    EXPECT_EQ(browser(5).fullScreenExits, 1);
    browser(1).setFullScreen(true);
    EXPECT_TRUE(browser(1).fullScreen());  // the tab in front may
}

TEST_F(PageFullScreenTest, TheWindowAndItsHiddenBarsStayAsTheyWere)
{
    window->displayModes().toggleExpertMode();
    const Qt::WindowStates before = window->windowState();
    const QString caption = window->menu().expertModeItem->text();
    const int t = window->tabStrip().selected();

    browser(t).setFullScreen(true);
    EXPECT_TRUE(escape());
    EXPECT_EQ(window->windowState(), before);
    EXPECT_EQ(window->menu().expertModeItem->text(), caption);
    EXPECT_TRUE(window->buttons().isHidden());
    EXPECT_TRUE(window->status().statusBar()->isHidden());
    EXPECT_TRUE(window->tabs().tab(t).addressBox().isHidden());
    EXPECT_TRUE(window->windowLayout().bars().buttonsHidden);
}
