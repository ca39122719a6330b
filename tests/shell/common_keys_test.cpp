#include "core/session.h"
#include "commands/command_table.h"
#include "tabs/free_tabs.h"
#include "support/shell_fixture.h"
#include "tabs/tab_collection.h"
#include "tabs/tab_strip.h"

#include <QComboBox>
#include <QLineEdit>
#include <QStatusBar>
#include <QTest>

using namespace pelquin;
using pelquin::test::ShellFixture;

// The keys every desktop browser has, where a strip of fixed tabs gives them a meaning.
class CommonKeysTest : public ShellFixture {
protected:
    void SetUp() override
    {
        writeProfile({{3, QStringLiteral("http://home3.example/")}});
        start();
        browser(3).load(QStringLiteral("http://home3.example/"));
    }
    QLineEdit *edit(int tab) { return window->tabs().tab(tab).addressBox().lineEdit(); }
    int selected() { return window->tabStrip().selected(); }
    QString shortMessage() { return window->findChild<QStatusBar *>()->currentMessage(); }
};

TEST_F(CommonKeysTest, AltAndADigitSelectATabEvenFromAnAddressBox)
{
    QTest::keyClick(edit(1), Qt::Key_5, Qt::AltModifier);
    EXPECT_EQ(selected(), 5);
    EXPECT_EQ(edit(1)->text(), QString());  // not typed into the box
    QTest::keyClick(edit(5), Qt::Key_0, Qt::AltModifier);
    EXPECT_EQ(selected(), 10);
    QTest::keyClick(edit(10), Qt::Key_1, Qt::AltModifier);
    EXPECT_EQ(selected(), 1);
}

TEST_F(CommonKeysTest, CtrlTGoesToTheFirstFreeTabsAddressBox)
{
    QTest::keyClick(edit(1), Qt::Key_T, Qt::ControlModifier);
    EXPECT_EQ(selected(), 4);
    QWidget *focus = QApplication::focusWidget();
    EXPECT_TRUE(focus == edit(4) || focus == &window->tabs().tab(4).addressBox());
    for (int t = 4; t <= kTabCount; ++t)
        browser(t).load(QStringLiteral("http://full.example/%1").arg(t));
    QTest::keyClick(edit(4), Qt::Key_T, Qt::ControlModifier);
    EXPECT_EQ(selected(), 4);
    EXPECT_EQ(shortMessage(), QStringLiteral("No tab is free: every tab shows a page"));
}

TEST_F(CommonKeysTest, CtrlWEmptiesTheTabWhichIsThenFreeButKeepsItsProfile)
{
    browser(5).load(QStringLiteral("http://five.example/"), QStringLiteral("Five"));
    window->tabStrip().select(5);
    QTest::keyClick(edit(5), Qt::Key_W, Qt::ControlModifier);
    EXPECT_EQ(browser(5).navigations.last(), QStringLiteral("about:blank"));
    browser(5).load(QStringLiteral("about:blank"));
    window->tabStrip().applyPendingLooks();
    EXPECT_EQ(window->tabStrip().caption(5), QString());
    EXPECT_EQ(window->tabStrip().toolTip(5), QString());
    EXPECT_EQ(edit(5)->text(), QString());
    EXPECT_EQ(window->freeTabs().firstFree(), 4);
    browser(4).load(QStringLiteral("http://four.example/"));
    EXPECT_EQ(window->freeTabs().firstFree(), 5);  // the emptied tab is free again
    // Another page names the tab again.
    browser(5).load(QStringLiteral("http://again.example/"));
    window->tabStrip().applyPendingLooks();
    EXPECT_FALSE(window->tabStrip().caption(5).isEmpty());
    // A tab of the profile is emptied, but its home page stays in the profile.
    window->tabStrip().select(3);
    QTest::keyClick(edit(3), Qt::Key_W, Qt::ControlModifier);
    EXPECT_EQ(session->settings[3].startUrl, QStringLiteral("http://home3.example/"));
}

TEST_F(CommonKeysTest, CtrlUShowsThePagesSourceInAFreeTab)
{
    window->tabStrip().select(3);
    QTest::keyClick(edit(3), Qt::Key_U, Qt::ControlModifier);
    EXPECT_EQ(browser(4).navigations,
              QStringList{QStringLiteral("view-source:http://home3.example/")});
    EXPECT_EQ(selected(), 4);
}

TEST_F(CommonKeysTest, EscapeInAnAddressBoxPutsBackThePagesAddress)
{
    window->tabStrip().select(3);
    edit(3)->setFocus();
    edit(3)->setText(QStringLiteral("half typed"));
    QTest::keyClick(edit(3), Qt::Key_Escape);
    EXPECT_EQ(edit(3)->text(), QStringLiteral("http://home3.example/"));
    EXPECT_EQ(browser(3).stops, 0);
}

TEST_F(CommonKeysTest, CtrlQClosesAsTheWindowDoes)
{
    QTest::keyClick(edit(1), Qt::Key_Q, Qt::ControlModifier);
    EXPECT_FALSE(window->isVisible());
}

TEST_F(CommonKeysTest, WordsTypedIntoAnAddressBoxAreSearchedForAndKeptAsTyped)
{
    session->tabs.searchTemplate = QStringLiteral("https://search.example/?q=%s");
    window->tabStrip().select(4);
    QComboBox *box = &window->tabs().tab(4).addressBox();
    edit(4)->setText(QStringLiteral("cheap flights"));
    QTest::keyClick(box, Qt::Key_Return);
    ASSERT_FALSE(browser(4).navigations.isEmpty());
    EXPECT_EQ(browser(4).navigations.last(),
              QStringLiteral("https://search.example/?q=cheap%20flights"));
    EXPECT_TRUE(session->history.requests().contains(QStringLiteral("cheap flights")));
    edit(4)->setText(QStringLiteral("localhost:8080"));
    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_EQ(browser(4).navigations.last(), QStringLiteral("localhost:8080"));
    // From the command line or a later start, as well.
    browser(4).load(QStringLiteral("http://localhost:8080/"));
    const QList<int> used = window->freeTabs().openFromOutside({QStringLiteral("intranet")});
    ASSERT_EQ(used.size(), 1);
    EXPECT_EQ(browser(used.first()).navigations.last(),
              QStringLiteral("https://search.example/?q=intranet"));
}

class LinksInNewTabsTest : public ShellFixture {};

TEST_F(LinksInNewTabsTest, CtrlShiftClickSelectsTheNewTabAndAFullStripSaysSo)
{
    start();
    window->tabStrip().select(1);
    browser(1).load(QStringLiteral("http://pelquin.localhost:8470/w1.htm"));
    emit browser(1).openInNewTab(QStringLiteral("http://linked.example/a"), true);
    EXPECT_EQ(browser(3).navigations, QStringList{"http://linked.example/a"});
    EXPECT_EQ(window->tabStrip().selected(), 3);
    for (int t = 4; t <= kTabCount; ++t)
        browser(t).load(QStringLiteral("http://full.example/%1").arg(t));
    emit browser(1).openInNewTab(QStringLiteral("http://linked.example/b"));
    EXPECT_EQ(window->findChild<QStatusBar *>()->currentMessage(),
              QStringLiteral("No tab is free for the link: every tab shows a page"));
}
