#include "platform/basic_error.h"
#include "support/tabs_fixture.h"
#include "tabs/tab_collection.h"

#include <QComboBox>

using namespace pelquin;
using pelquin::test::TabsFixture;

using TabCollectionTest = TabsFixture;

TEST_F(TabCollectionTest, TabsAreNumberedOneToThirtyAndNothingElse)
{
    EXPECT_EQ(tabs.count(), kTabCount);
    int expected = 1;
    for (const BrowserTab &tab : tabs)
        EXPECT_EQ(tab.number(), expected++);
    EXPECT_EQ(expected, kTabCount + 1);
    EXPECT_EQ(&tabs.tab(7).browser(), &browser(7));
    for (const int outside : {0, -1, kTabCount + 1}) {
        EXPECT_FALSE(tabs.contains(outside));
        try {
            tabs.tab(outside);
            ADD_FAILURE() << outside;
        } catch (const BasicError &error) {
            EXPECT_EQ(error.number(), err::SubscriptOutOfRange);
        }
    }
}

TEST_F(TabCollectionTest, EachTabHasItsOwnAddressBoxOverOneSharedList)
{
    tabs.tab(3).setAddress(QStringLiteral("three.example"));
    tabs.tab(4).setAddress(QStringLiteral("four.example"));
    EXPECT_EQ(tabs.tab(3).address(), QStringLiteral("three.example"));
    EXPECT_EQ(tabs.tab(3).addressBox().model(), tabs.tab(4).addressBox().model());
    // Filling the shared list leaves every box's own text alone.
    session.history.append(QStringLiteral("listed.example"));
    EXPECT_EQ(tabs.tab(3).address(), QStringLiteral("three.example"));
    EXPECT_EQ(tabs.tab(4).address(), QStringLiteral("four.example"));
}

TEST_F(TabCollectionTest, AllStartedTabsLoadedCountsOnlyTabsThatAreStartedAndLoading)
{
    for (BrowserTab &tab : tabs)
        tab.state() = TabState{};
    EXPECT_TRUE(tabs.allStartedTabsLoaded());
    tabs.tab(4).state().started = true;
    EXPECT_TRUE(tabs.allStartedTabsLoaded());
    tabs.tab(9).state().loading = true;
    EXPECT_TRUE(tabs.allStartedTabsLoaded());
    tabs.tab(4).state().loading = true;
    EXPECT_FALSE(tabs.allStartedTabsLoaded());
}

TEST_F(TabCollectionTest, OnlyTheFrontTabsPageShows)
{
    window.show();
    tabs.bringToFront(5);
    EXPECT_EQ(tabs.front(), 5);
    for (const BrowserTab &tab : tabs)
        EXPECT_EQ(tab.page()->isVisible(), tab.number() == 5) << tab.number();
}
