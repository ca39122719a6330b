#include "tabs/free_tabs.h"

#include "core/session.h"
#include "support/shell_fixture.h"
#include "tabs/tab_strip.h"

using namespace pelquin;
using pelquin::test::ShellFixture;

class FreeTabsTest : public ShellFixture {
protected:
    FreeTabs &tabs() { return window->freeTabs(); }
    bool offered(int tab)
    {
        bool available = false;
        emit browser(tab).newTabQuery(&available);
        return available;
    }
};

TEST_F(FreeTabsTest, CommandLineAddressesFillFreeTabsAfterStartUp)
{
    writeProfile({{3, "http://home3.example/"}});
    start();
    ASSERT_EQ(tabs().firstFree(), 4);
    const QList<int> used = tabs().openFromOutside(
        {"example.org", "javascript:alert(1)", "https://example.net/"});
    EXPECT_EQ(used, (QList<int>{4, 5}));
    EXPECT_EQ(browser(4).navigations, QStringList{"example.org"});
    EXPECT_EQ(browser(5).navigations, QStringList{"https://example.net/"});
    EXPECT_EQ(window->tabStrip().selected(), 4);
    // Recorded as typed addresses are.
    EXPECT_TRUE(session->history.requests().contains(QStringLiteral("example.org")));
    EXPECT_EQ(tabs().firstFree(), 6);
}

TEST_F(FreeTabsTest, OpenLinkInNewTabKeepsTheSelectedTabAndIsRefusedWhenAllAreFull)
{
    start();
    window->tabStrip().select(1);
    browser(1).load(QStringLiteral("http://pelquin.localhost:8470/w1.htm"));
    EXPECT_TRUE(offered(1));
    emit browser(1).openInNewTab(QStringLiteral("http://linked.example/page"));
    EXPECT_EQ(browser(3).navigations, QStringList{"http://linked.example/page"});
    EXPECT_EQ(window->tabStrip().selected(), 1);
    // A web page's link never opens a local file.
    emit browser(1).openInNewTab(QStringLiteral("file:///etc/passwd"));
    EXPECT_TRUE(browser(4).navigations.isEmpty());

    for (int t = 4; t <= kTabCount; ++t)
        browser(t).load(QStringLiteral("http://full.example/%1").arg(t));
    EXPECT_FALSE(offered(1));
    emit browser(1).openInNewTab(QStringLiteral("http://linked.example/other"));
    EXPECT_EQ(browser(3).navigations.size(), 1);
}
