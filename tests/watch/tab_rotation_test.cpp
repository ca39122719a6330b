#include "watch/watch_options.h"
#include "watch/tab_watching.h"
#include "support/window_parts_fixture.h"
#include "watch/tab_rotation.h"
#include "tabs/tab_strip.h"
#include "watch/tab_wall.h"

#include <QKeyEvent>
#include <QTest>

using namespace pelquin;
using pelquin::test::WatchingFixture;

class TabRotationTest : public WatchingFixture {
protected:
    void SetUp() override
    {
        setProfile({{1, site(1)}, {2, site(2)}, {3, site(3)}, {7, site(7)}});
        for (const int t : {1, 2, 3, 7})
            browser(t).load(site(t));
        rotation().setInterval(5);
    }

    TabRotation &rotation() { return watching->rotation(); }
    int selected() { return strip.selected(); }
};

TEST_F(TabRotationTest, TheTabsWithAPageAreShownInTabOrderGoingRound)
{
    EXPECT_EQ(selected(), 1);
    QList<int> shown;
    for (int turn = 0; turn < 5; ++turn) {
        rotation().onTick();
        shown << selected();
    }
    EXPECT_EQ(shown, (QList<int>{2, 3, 7, 1, 2}));
    EXPECT_EQ(rotation().interval(), 5);
}

TEST_F(TabRotationTest, TheUsersKeyOrClickPausesItForAMinute)
{
    rotation().userActed();
    rotation().onTick();
    EXPECT_EQ(selected(), 1);
    clock.advance(59);
    rotation().onTick();
    EXPECT_EQ(selected(), 1);
    clock.advance(2);
    rotation().onTick();
    EXPECT_EQ(selected(), 2);
}

TEST_F(TabRotationTest, AKeyFromTheDesktopCountsButOneTheProgramMakesDoesNot)
{
    QKeyEvent made(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier);
    QCoreApplication::sendEvent(&window, &made);
    EXPECT_FALSE(rotation().paused());
    QTest::keyClick(&window, Qt::Key_A);  // as the window system delivers it
    EXPECT_TRUE(rotation().paused());
}

TEST_F(TabRotationTest, ItWaitsWhileTheWallIsOpenAndStopsAtZero)
{
    watching->wall().open();
    rotation().onTick();
    EXPECT_EQ(selected(), 1);
    watching->wall().close();
    rotation().setInterval(0);
    EXPECT_FALSE(rotation().timer().isActive());
    rotation().onTick();
    EXPECT_EQ(selected(), 1);
}

TEST_F(TabRotationTest, InternetOptionsAndTheCommandLineSetTheInterval)
{
    watching->applyOptions(WatchOptions{false, 3600});
    EXPECT_EQ(rotation().interval(), 3600);
    EXPECT_TRUE(rotation().timer().isActive());
    watching->rotateEvery(12);
    EXPECT_EQ(rotation().interval(), 12);
    watching->applyOptions(WatchOptions{});
    EXPECT_FALSE(rotation().timer().isActive());
}
