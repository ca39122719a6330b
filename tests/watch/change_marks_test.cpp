#include "watch/watch_options.h"
#include "support/recording_notifier.h"
#include "watch/tab_watching.h"
#include "support/window_parts_fixture.h"
#include "watch/change_marks.h"
#include "tabs/tab_strip.h"

#include <QStatusBar>
#include <QTabBar>

using namespace pelquin;
using pelquin::test::RecordingNotifier;
using pelquin::test::WatchingFixture;

class ChangeMarksTest : public WatchingFixture {
protected:
    void SetUp() override
    {
        setProfile({{3, site(3)}, {4, site(4)}});
        browser(3).visibleText = QStringLiteral("Queue: 4 tickets");
        browser(4).visibleText = QStringLiteral("Prices");
        browser(3).load(site(3), QStringLiteral("Queue"));
        browser(4).load(site(4));
        strip.select(4);  // the user looks at tab 4, not at tab 3
    }

    // The page of tab t is loaded again, as the automatic refresh or the page itself does.
    void reload(int t, const QString &text)
    {
        browser(t).visibleText = text;
        browser(t).load(site(t), QStringLiteral("Queue"));
    }

    ChangeMarks &marks() { return watching->marks(); }
};

TEST_F(ChangeMarksTest, ABackgroundTabWhoseWordsChangedIsMarkedUntilLookedAt)
{
    clock.set(QDateTime(QDate(2026, 3, 2), QTime(14, 7)));
    reload(3, QStringLiteral("Queue: 5 tickets"));
    EXPECT_TRUE(strip.changedMark(3));
    EXPECT_EQ(strip.bar()->tabToolTip(2),
              QStringLiteral("Tab 3:%1\nChanged since you last looked (14:07)").arg(site(3)));
    EXPECT_EQ(strip.toolTip(3), QStringLiteral("Tab 3:") + site(3));  // the tab's own tip
    // Orange where the globe is blue.
    EXPECT_GT(QColor(strip.bar()->tabIcon(2).pixmap(16).toImage().pixel(3, 8)).red(), 200);

    // Changed again later: the time of the first change stays.
    clock.advance(600);
    reload(3, QStringLiteral("Queue: 6 tickets"));
    EXPECT_TRUE(strip.bar()->tabToolTip(2).endsWith(QStringLiteral("(14:07)")));

    strip.select(3);
    EXPECT_FALSE(strip.changedMark(3));
    EXPECT_EQ(strip.bar()->tabToolTip(2), QStringLiteral("Tab 3:") + site(3));
}

TEST_F(ChangeMarksTest, APageThatChangesItsWordsWithoutAReloadIsMarked)
{
    browser(3).changeText(QStringLiteral("  Queue:  4 tickets"));  // only its spacing
    EXPECT_FALSE(strip.changedMark(3));
    browser(3).changeText(QStringLiteral("Queue: 5 tickets"));
    EXPECT_TRUE(strip.changedMark(3));
    // The page the user looks at changes before their eyes: no mark.
    browser(4).changeText(QStringLiteral("Prices have changed"));
    EXPECT_FALSE(strip.changedMark(4));
    // A page still loading is compared once it has completed.
    strip.select(3);
    strip.select(4);
    browser(3).startLoad(site(3));
    browser(3).changeText(QStringLiteral("Queue: half"));
    EXPECT_FALSE(strip.changedMark(3));
}

TEST_F(ChangeMarksTest, SelectingAChangedTabShowsItsAddedWordsInThePage)
{
    reload(3, QStringLiteral("Queue: 5 tickets, Ann on call"));
    strip.select(3);
    EXPECT_EQ(browser(3).highlighted,
              (QList<QStringList>{{QStringLiteral("5 tickets, Ann on call")}}));
    strip.select(4);
    strip.select(3);  // unchanged since: nothing to show
    EXPECT_EQ(browser(3).highlighted.size(), 1);
}

TEST_F(ChangeMarksTest, ThePageThatSaysAPageStoppedIsNoChangeOfItsWords)
{
    browser(3).crash();
    browser(3).visibleText = QStringLiteral("This page stopped working");
    browser(3).finishLoad(site(3));  // the stopped page, shown at the page's address
    EXPECT_FALSE(strip.changedMark(3));
    reload(3, QStringLiteral("Queue: 4 tickets"));  // loaded again as it was
    EXPECT_FALSE(strip.changedMark(3));
}

TEST_F(ChangeMarksTest, TheSamePageWithOtherMarkupOrWhiteSpaceIsNotMarked)
{
    reload(3, QStringLiteral("  Queue:\n\t4   tickets \n"));
    EXPECT_FALSE(strip.changedMark(3));
    reload(3, QStringLiteral("Queue: 4 tickets"));
    EXPECT_FALSE(strip.changedMark(3));
}

TEST_F(ChangeMarksTest, TheComparisonIsWithWhatTheUserSawWhenLeavingTheTab)
{
    strip.select(3);
    browser(3).visibleText = QStringLiteral("Queue: 9 tickets");  // changed while looked at
    strip.select(4);                                           // seen when leaving
    reload(3, QStringLiteral("Queue: 9 tickets"));
    EXPECT_FALSE(strip.changedMark(3));
    reload(3, QStringLiteral("Queue: 10 tickets"));
    EXPECT_TRUE(strip.changedMark(3));
}

TEST_F(ChangeMarksTest, TheSelectedTabAndAnotherAddressAreNeverMarked)
{
    reload(4, QStringLiteral("Prices have changed"));
    EXPECT_FALSE(strip.changedMark(4));  // the user sees it change
    browser(3).visibleText = QStringLiteral("Another page");
    browser(3).load(QStringLiteral("http://elsewhere.example/"));
    EXPECT_FALSE(strip.changedMark(3));
}

TEST_F(ChangeMarksTest, ATabLeftWhileLoadingComparesWithWhatItShowsWhenComplete)
{
    strip.select(3);
    browser(3).startLoad(site(3));
    browser(3).visibleText = QString();  // half a page
    strip.select(4);
    browser(3).visibleText = QStringLiteral("Queue: 4 tickets");
    browser(3).finishLoad(site(3));
    EXPECT_FALSE(strip.changedMark(3));
    reload(3, QStringLiteral("Queue: 4 tickets"));
    EXPECT_FALSE(strip.changedMark(3));
}

TEST_F(ChangeMarksTest, AnAnswerForAnOlderPageIsDropped)
{
    std::function<void(const QString &)> late;
    browser(3).deferVisibleText = &late;
    reload(3, QStringLiteral("Queue: 5 tickets"));
    browser(3).deferVisibleText = nullptr;
    reload(3, QStringLiteral("Queue: 4 tickets"));  // answered at once: unchanged
    late(QStringLiteral("Queue: 5 tickets"));
    EXPECT_FALSE(strip.changedMark(3));
}

TEST_F(ChangeMarksTest, TheKeyGoesToTheNextMarkedTabAndSaysWhenThereIsNone)
{
    browser(5).visibleText = QStringLiteral("a");
    browser(5).load(QStringLiteral("http://five.example/"));
    browser(5).visibleText = QStringLiteral("b");
    browser(5).load(QStringLiteral("http://five.example/"));
    reload(3, QStringLiteral("Queue: 5 tickets"));
    watching->goToNextChangedTab();
    EXPECT_EQ(strip.selected(), 5);  // the next after tab 4, going on
    watching->goToNextChangedTab();
    EXPECT_EQ(strip.selected(), 3);
    watching->goToNextChangedTab();
    EXPECT_EQ(strip.selected(), 3);
    EXPECT_EQ(window.findChild<QStatusBar *>()->currentMessage(),
              QStringLiteral("No tab has changed since you last looked"));
}

class ChangeNoticesTest : public WatchingFixture {
protected:
    RecordingNotifier recorder;
};

TEST_F(ChangeNoticesTest, WhenAskedForADesktopNoticeNamesTheTabAndClickingItSelectsIt)
{
    watch(&recorder);
    setProfile({{3, site(3)}});
    browser(3).visibleText = QStringLiteral("one");
    browser(3).load(site(3), QStringLiteral("Queue"));
    browser(3).visibleText = QStringLiteral("two");
    browser(3).load(site(3), QStringLiteral("Queue"));
    EXPECT_TRUE(recorder.shown.isEmpty());  // off by default

    watching->applyOptions(WatchOptions{true, 0});
    browser(3).visibleText = QStringLiteral("three");
    strip.select(3);
    strip.select(1);
    browser(3).visibleText = QStringLiteral("four");
    browser(3).load(site(3), QStringLiteral("Queue"));
    strip.applyPendingLooks();
    ASSERT_EQ(recorder.shown.size(), 1);
    EXPECT_EQ(recorder.shown.first(), QStringLiteral("3|Tab 3 changed|") +
                                          strip.caption(3));
    recorder.click(3);
    EXPECT_EQ(strip.selected(), 3);
    watch(nullptr);  // before the notifier it was given
}
