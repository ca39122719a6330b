#include "shell/display_modes.h"
#include "watch/tab_watching.h"
#include "support/window_parts_fixture.h"
#include "tabs/tab_collection.h"
#include "tabs/tab_strip.h"
#include "watch/tab_wall.h"

#include <QTest>

using namespace pelquin;
using pelquin::test::WatchingFixture;

class TabWallTest : public WatchingFixture {
protected:
    void SetUp() override
    {
        setProfile({{1, site(1)}, {2, site(2)}, {3, site(3)}, {4, site(4)}, {5, site(5)}});
        for (int t = 1; t <= 5; ++t)
            browser(t).load(site(t));
        strip.applyPendingLooks();
    }

    TabWall &wall() { return watching->wall(); }
    QWidget *page(int t) { return tabs.tab(t).page(); }
    // The wall's key and menu item.
    void openWall() { wall().toggle(); }
};

TEST_F(TabWallTest, ItCoversThePageAreaWithATileForEveryTab)
{
    const QRect pages = page(1)->geometry();
    openWall();
    ASSERT_TRUE(wall().isOpen());
    EXPECT_TRUE(wall().isVisible());
    EXPECT_EQ(wall().accessibleName(), QStringLiteral("Wall of tabs"));
    EXPECT_EQ(wall().geometry(), pages);
    EXPECT_FALSE(page(1)->isVisible());  // nothing draws behind the wall
    const QRect first = wall().tile(tab(1))->geometry();
    const QRect last = wall().tile(tab(30))->geometry();
    EXPECT_EQ(first.width(), pages.width() / TabWall::kColumns);
    EXPECT_EQ(first.height(), pages.height() / TabWall::kRows);
    EXPECT_EQ(last.left(), 5 * first.width());
    EXPECT_EQ(last.top(), 4 * first.height());
    EXPECT_EQ(wall().tile(tab(3))->accessibleName(),
              QStringLiteral("Tab 3: ") + strip.caption(3));
}

TEST_F(TabWallTest, EachTileSaysWhatItsTabIsDoing)
{
    browser(4).startLoad(site(4));
    browser(5).crash();
    browser(3).visibleText = QStringLiteral("one");
    browser(3).load(site(3));
    browser(3).visibleText = QStringLiteral("two");
    browser(3).load(site(3));
    openWall();
    EXPECT_EQ(wall().tile(tab(3))->state(), TileState::Changed);
    EXPECT_TRUE(wall().tile(tab(3))->accessibleName().endsWith(QStringLiteral(" (changed)")));
    EXPECT_EQ(wall().tile(tab(4))->state(), TileState::Loading);
    EXPECT_EQ(wall().tile(tab(5))->state(), TileState::Crashed);
    EXPECT_EQ(wall().tile(tab(12))->state(), TileState::Empty);
    EXPECT_EQ(wall().tile(tab(1))->state(), TileState::Shown);
}

TEST_F(TabWallTest, ArrowsAndEnterChooseATileAndEscapeGoesBack)
{
    openWall();
    QTest::keyClick(&window, Qt::Key_Right);
    QTest::keyClick(&window, Qt::Key_Down);
    QTest::keyClick(&window, Qt::Key_Return);
    EXPECT_FALSE(wall().isOpen());
    EXPECT_EQ(strip.selected(), 8);
    EXPECT_TRUE(page(8)->isVisible());

    openWall();
    QTest::keyClick(&window, Qt::Key_Left);
    QTest::keyClick(&window, Qt::Key_Escape);
    EXPECT_FALSE(wall().isOpen());
    EXPECT_EQ(strip.selected(), 8);
    EXPECT_TRUE(page(8)->isVisible());
}

TEST_F(TabWallTest, AClickChoosesAndTheKeyAgainCloses)
{
    openWall();
    QTest::mouseClick(wall().tile(tab(4)), Qt::LeftButton);
    EXPECT_FALSE(wall().isOpen());
    EXPECT_EQ(strip.selected(), 4);
    openWall();
    openWall();
    EXPECT_FALSE(wall().isOpen());
    EXPECT_TRUE(page(4)->isVisible());
}

TEST_F(TabWallTest, NoHiddenPageIsDrawnATileShowsAPictureOrTheWords)
{
    strip.select(3);  // the user has looked at tabs 1 and 3
    strip.select(1);
    browser(3).visibleText = QStringLiteral("Three's words");
    browser(4).visibleText = QStringLiteral("Queue: 4 tickets");
    openWall();
    QCoreApplication::processEvents();
    // The pages shown before, as the user saw them; the others in words.
    EXPECT_FALSE(wall().tile(tab(1))->picture().isNull());
    EXPECT_FALSE(wall().tile(tab(3))->picture().isNull());
    EXPECT_TRUE(wall().tile(tab(4))->picture().isNull());
    EXPECT_EQ(wall().tile(tab(4))->pageText(), QStringLiteral("Queue: 4 tickets"));
    EXPECT_EQ(wall().tile(tab(12))->pageText(), QString());  // an empty tab

    // A page completed since it was last seen shows its words, afresh.
    browser(3).load(site(3));
    EXPECT_TRUE(wall().tile(tab(3))->picture().isNull());
    EXPECT_EQ(wall().tile(tab(3))->pageText(), QStringLiteral("Three's words"));
    // At least every ten seconds the words are read again.
    browser(4).visibleText = QStringLiteral("Queue: 5 tickets");
    wall().onTick();
    EXPECT_EQ(wall().tile(tab(4))->pageText(), QStringLiteral("Queue: 4 tickets"));
    clock.advance(TabWall::kRenewSeconds);
    wall().onTick();
    EXPECT_EQ(wall().tile(tab(4))->pageText(), QStringLiteral("Queue: 5 tickets"));
    for (int t = 1; t <= 30; ++t)
        EXPECT_FALSE(page(t)->isVisible()) << t;  // nothing draws behind the wall
}

TEST_F(TabWallTest, APictureOfNothingButTheBackgroundGivesWayToTheWords)
{
    strip.select(3);
    strip.select(1);
    browser(3).visibleText = QStringLiteral("Three's words");
    browser(3).drawsNothing = true;  // as a view hidden a while gives under X
    openWall();
    QCoreApplication::processEvents();
    EXPECT_TRUE(wall().tile(tab(3))->picture().isNull());
    EXPECT_EQ(wall().tile(tab(3))->pageText(), QStringLiteral("Three's words"));
    EXPECT_FALSE(wall().tile(tab(1))->picture().isNull());  // the shown page, before it hid
}

TEST_F(TabWallTest, ItWorksInExpertModeOverTheWholePageArea)
{
    DisplayModes modes(window, session, windowControls(), menu, layout, errors);
    modes.toggleExpertMode();
    const QRect pages = page(1)->geometry();
    openWall();
    EXPECT_EQ(wall().geometry(), pages);
    QTest::keyClick(&window, Qt::Key_Escape);
    EXPECT_FALSE(wall().isOpen());
}

TEST_F(TabWallTest, AnotherWayOfSelectingATabClosesIt)
{
    openWall();
    strip.select(5);
    EXPECT_FALSE(wall().isOpen());
    EXPECT_TRUE(page(5)->isVisible());
}
