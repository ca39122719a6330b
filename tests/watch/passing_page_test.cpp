#include "watch/passing_page.h"

#include "support/window_parts_fixture.h"
#include "tabs/free_tabs.h"
#include "watch/tab_rotation.h"
#include "watch/tab_watching.h"

using namespace pelquin;
using pelquin::test::WatchingFixture;

class PassingPageTest : public WatchingFixture {
protected:
    void SetUp() override
    {
        setProfile({{1, site(1)}, {2, site(2)}, {3, site(3)}});
        for (const int t : {1, 2, 3})
            browser(t).load(site(t));
        strip.select(2);
    }
    void after(int seconds)
    {
        clock.advance(seconds);
        passing.onTick();
    }

    FreeTabs freeTabs{session, controls(), errors, &window};
    PassingPage passing{controls(), freeTabs, clock};
};

TEST_F(PassingPageTest, TheTimerWaitsForTheClock)
{
    EXPECT_EQ(passing.show("http://door.lan/cam", 30), 4);
    EXPECT_TRUE(passing.active());
    EXPECT_EQ(passing.timer().interval(), 30000);
    after(10);  // woken early: it waits for what is left
    EXPECT_TRUE(passing.active());
    EXPECT_EQ(passing.timer().interval(), 20000);
    after(20);
    EXPECT_FALSE(passing.active());
    EXPECT_EQ(strip.selected(), 2);
}

TEST_F(PassingPageTest, ASecondShowTakesThePlaceAndTimeOfTheFirst)
{
    passing.show("http://door.lan/cam", 30);
    after(20);
    EXPECT_EQ(passing.show("http://gate.lan/cam", 30), 4);
    EXPECT_EQ(browser(4).navigations.last(), QStringLiteral("http://gate.lan/cam"));
    after(20);
    EXPECT_EQ(strip.selected(), 4);  // the first one's time no longer counts
    after(10);
    // What was shown before the first comes back, not the first show's page.
    EXPECT_EQ(strip.selected(), 2);
    EXPECT_EQ(browser(4).navigations.last(), QStringLiteral("about:blank"));
    EXPECT_EQ(freeTabs.firstFree(), 4);
}

TEST_F(PassingPageTest, ATabChosenMeanwhileStaysChosen)
{
    passing.show("http://door.lan/cam", 30);
    strip.select(3);
    after(30);
    EXPECT_EQ(strip.selected(), 3);
    EXPECT_EQ(browser(4).navigations.last(), QStringLiteral("about:blank"));
    EXPECT_FALSE(passing.active());
}

TEST_F(PassingPageTest, WithoutAFreeTabNothingChanges)
{
    for (int t = 4; t <= 30; ++t)
        browser(t).load(site(t));
    EXPECT_EQ(passing.show("http://door.lan/cam", 30), 0);
    EXPECT_FALSE(passing.active());
    EXPECT_EQ(strip.selected(), 2);
}

TEST_F(PassingPageTest, TheRotationWaitsWhileAPageIsShown)
{
    watching->rotation().addHold([this] { return passing.active(); });
    watching->rotation().setInterval(5);
    passing.show("http://door.lan/cam", 30);
    watching->rotation().onTick();
    EXPECT_EQ(strip.selected(), 4);
    after(30);
    watching->rotation().onTick();
    EXPECT_EQ(strip.selected(), 3);
}
