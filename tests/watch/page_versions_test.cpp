#include "watch/tab_watching.h"
#include "watch/text_versions.h"
#include "watch/watched_pages_fixture.h"
#include "watch/what_changed_view.h"

#include <QTest>
#include <QTextBrowser>
#include <QTextDocument>

using namespace pelquin;

// The versions of the watched pages' text, and What Changed, which shows them.
using PageVersionsTest = test::WatchedPagesFixture;

TEST_F(PageVersionsTest, TheWatchedTextIsKeptAsVersionsThatOutlastTheRun)
{
    start(QStringLiteral("first"));
    clock.advance(60);
    reload(3, QStringLiteral("second"));
    const QList<TextVersion> kept = TextVersions(home.folder(), false).versions(site(3));
    ASSERT_EQ(kept.size(), 2);
    EXPECT_EQ(kept[0].text, QStringLiteral("first"));
    EXPECT_EQ(kept[1].text, QStringLiteral("second"));
    EXPECT_EQ(kept[1].time, clock.now());
}


TEST_F(PageVersionsTest, AClockAloneKeepsNoNewVersionsShownOrNot)
{
    writeRules(R"({"rules": [{"address": "http://site3.example/", "ignoreNumbers": true}]})");
    start(QStringLiteral("Node a up at 10:41:07"));
    auto tick = [&](int second) {
        clock.advance(10);
        browser(3).changeText(
            QStringLiteral("Node a up at 10:41:%1").arg(second, 2, 10, QLatin1Char('0')));
    };
    for (int second = 8; second < 12; ++second)
        tick(second);
    strip.select(3);  // on screen, the page is read as it moves
    for (int second = 12; second < 16; ++second)
        tick(second);
    clock.advance(10);
    browser(3).changeText(QStringLiteral("Node a DOWN at 10:41:17"));
    clock.advance(10);
    browser(3).changeText(QStringLiteral("Node a DOWN at 10:41:19"));
    // What Changed shows the page as it is now, clock and all, and keeps nothing new for it.
    watching->toggleWhatChanged();
    ASSERT_TRUE(watching->whatChanged().isOpen());
    EXPECT_TRUE(watching->whatChanged().text().toPlainText().endsWith(u"10:41:19"));
    const QList<TextVersion> kept = TextVersions(home.folder(), false).versions(site(3));
    ASSERT_EQ(kept.size(), 2);
    EXPECT_EQ(kept[0].text, QStringLiteral("Node a up at 10:41:07"));
    EXPECT_EQ(kept[1].text, QStringLiteral("Node a DOWN at 10:41:17"));
}

TEST_F(PageVersionsTest, WhatChangedShowsTheTextAsLastSeenAndAsItIsNowAndStepsThroughVersions)
{
    start(QStringLiteral("Queue: 4 tickets, Bob on call"));
    strip.select(3);
    strip.select(4);  // the user saw tab 3 and left it
    clock.advance(60);
    reload(3, QStringLiteral("Queue: 5 tickets, Bob on call"));
    clock.advance(60);
    reload(3, QStringLiteral("Queue: 5 tickets, Ann on call"));
    strip.select(3);
    watching->toggleWhatChanged();
    WhatChangedView &view = watching->whatChanged();
    ASSERT_TRUE(view.isOpen());
    EXPECT_EQ(view.text().accessibleName(), QStringLiteral("What changed"));
    EXPECT_TRUE(view.heading().startsWith(QStringLiteral("Tab 3: from "))) << qPrintable(view.heading());
    const QString html = view.text().toHtml();
    EXPECT_TRUE(html.contains(QStringLiteral("text-decoration: line-through"))) << qPrintable(html);
    EXPECT_EQ(view.text().toPlainText(), QStringLiteral("Queue: 4 5 tickets, Bob Ann on call"));
    // Left: the change the version before made.
    QTest::keyClick(&view.text(), Qt::Key_Left);
    EXPECT_EQ(view.text().toPlainText(), QStringLiteral("Queue: 4 5 tickets, Bob on call"));
    QTest::keyClick(&view.text(), Qt::Key_Right);
    EXPECT_EQ(view.text().toPlainText(), QStringLiteral("Queue: 5 tickets, Bob Ann on call"));
    QTest::keyClick(&view.text(), Qt::Key_Escape);
    EXPECT_FALSE(view.isOpen());
    EXPECT_EQ(strip.selected(), 3);
}

TEST(WhatChangedText, AReplacedWordStandsOnTheLineOfItsReplacementAndARemovedLineKeepsItsBreak)
{
    QTextDocument shown;
    shown.setHtml(WhatChangedView::changesHtml(QStringLiteral("Node b up\n\nChecked 10:41"),
                                               QStringLiteral("Node b DOWN\n\nChecked 10:41")));
    EXPECT_EQ(shown.toPlainText(), QStringLiteral("Node b up DOWN\n\nChecked 10:41"));
    shown.setHtml(WhatChangedView::changesHtml(QStringLiteral("Node a up\nNode b up\nEnd"),
                                               QStringLiteral("Node a up\nEnd")));
    EXPECT_EQ(shown.toPlainText(), QStringLiteral("Node a up\nNode b up\nEnd"));
}

TEST_F(PageVersionsTest, WhatChangedOutlastsARestartAndShowsPageWordsAsText)
{
    start(QStringLiteral("<b>one</b>"));
    clock.advance(60);
    reload(3, QStringLiteral("<b>two</b> <img src=x>"));
    watch(nullptr);  // a new run reads the kept versions
    strip.select(3);
    watching->toggleWhatChanged();
    ASSERT_TRUE(watching->whatChanged().isOpen());
    EXPECT_EQ(watching->whatChanged().text().toPlainText(),
              QStringLiteral("<b>one</b> <b>two</b> <img src=x>"));
}

TEST_F(PageVersionsTest, WhatChangedComparesWithWhatTheUserSawEvenWhenItsVersionWasDropped)
{
    // Two versions of a large page are more than a page keeps.
    const QString words = QStringLiteral("word ").repeated(120 * 1024);
    const QString before = QStringLiteral("Ann on call. ") + words;
    const QString after = QStringLiteral("Bob on call. ") + words;
    start(before);
    strip.select(3);
    strip.select(4);
    clock.advance(60);
    reload(3, after);
    ASSERT_EQ(TextVersions(home.folder(), false).versions(site(3)).size(), 1);
    strip.select(3);
    watching->toggleWhatChanged();
    ASSERT_TRUE(watching->whatChanged().isOpen());
    EXPECT_TRUE(watching->whatChanged().text().toPlainText().startsWith(
        QStringLiteral("Ann Bob on call.")));
}
