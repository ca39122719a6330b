#include "tabs/free_tabs.h"

#include "core/session.h"
#include "support/tabs_fixture.h"
#include "tabs/tab_strip.h"

using namespace pelquin;

// The tabs with the free-tab finder alone; no tab has a page until a test loads one.
class FreeTabsTest : public test::TabsFixture {
protected:
    FreeTabs &tabs() { return m_free; }
    bool offered(int tab)
    {
        bool available = false;
        emit browser(tab).newTabQuery(&available);
        return available;
    }

private:
    FreeTabs m_free{session, controls(), errors, &window};
};

TEST_F(FreeTabsTest, CommandLineAddressesFillFreeTabsAfterStartUp)
{
    setProfile({{3, "http://home3.example/"}});
    ASSERT_EQ(tabs().firstFree(), 4);
    const QList<int> used = tabs().openFromOutside(
        {"example.org", "javascript:alert(1)", "https://example.net/"});
    EXPECT_EQ(used, (QList<int>{4, 5}));
    EXPECT_EQ(browser(4).navigations, QStringList{"example.org"});
    EXPECT_EQ(browser(5).navigations, QStringList{"https://example.net/"});
    EXPECT_EQ(strip.selected(), 4);
    // Recorded as typed addresses are.
    EXPECT_TRUE(session.history.requests().contains(QStringLiteral("example.org")));
    EXPECT_EQ(tabs().firstFree(), 6);
}

TEST_F(FreeTabsTest, OpenLinkInNewTabKeepsTheSelectedTabAndIsRefusedWhenAllAreFull)
{
    strip.select(1);
    browser(1).load(QStringLiteral("http://pelquin.localhost:8470/w1.htm"));
    EXPECT_TRUE(offered(1));
    emit browser(1).openInNewTab(QStringLiteral("http://linked.example/page"));
    EXPECT_EQ(browser(3).navigations, QStringList{"http://linked.example/page"});
    EXPECT_EQ(strip.selected(), 1);
    // A web page's link never opens a local file.
    emit browser(1).openInNewTab(QStringLiteral("file:///etc/passwd"));
    EXPECT_TRUE(browser(4).navigations.isEmpty());

    for (int t = 4; t <= kTabCount; ++t)
        browser(t).load(QStringLiteral("http://full.example/%1").arg(t));
    EXPECT_FALSE(offered(1));
    emit browser(1).openInNewTab(QStringLiteral("http://linked.example/other"));
    EXPECT_EQ(browser(3).navigations.size(), 1);
}
