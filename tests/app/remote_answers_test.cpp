#include "app/remote_answers.h"

#include "support/temp_home.h"
#include "support/window_parts_fixture.h"
#include "tabs/free_tabs.h"
#include "watch/passing_page.h"
#include "watch/tab_rotation.h"
#include "watch/tab_watching.h"
#include "watch/watched_pages.h"

#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

using namespace pelquin;
using pelquin::test::TempHome;
using pelquin::test::WatchingFixture;

class RemoteAnswersTest : public WatchingFixture {
protected:
    void SetUp() override
    {
        setProfile({{1, site(1)}, {2, site(2)}, {3, site(3)}, {5, site(5)}});
        for (const int t : {1, 2, 3, 5})
            browser(t).load(site(t), QStringLiteral("Page %1").arg(t));
    }

    InstanceAnswer ask(const QStringList &words) { return answers.answer(words); }
    QJsonArray statusTabs()
    {
        const InstanceAnswer answer = ask({"--status"});
        EXPECT_TRUE(answer.ok);
        return QJsonDocument::fromJson(answer.text.toUtf8()).object().value("tabs").toArray();
    }

    FreeTabs freeTabs{session, controls(), errors, &window};
    RemoteAnswers answers{{controls(), freeTabs, *watching, clock}};
};

TEST_F(RemoteAnswersTest, TheStatusTellsEveryTabInJson)
{
    tab(3).setChangedSince(clock.now());
    tab(5).addAlert("Found \"x\" (09:00)", "Tab 5: found \"x\" at 09:00");
    browser(2).crash();
    const QJsonArray list = statusTabs();
    ASSERT_EQ(list.size(), 30);
    const QJsonObject first = list.at(0).toObject();
    EXPECT_EQ(first.value("number").toInt(), 1);
    EXPECT_EQ(first.value("address").toString(), site(1));
    EXPECT_TRUE(first.value("selected").toBool());
    EXPECT_FALSE(first.value("loading").toBool());
    EXPECT_FALSE(first.value("changed").toBool());
    EXPECT_EQ(first.value("health").toString(), QStringLiteral("fine"));
    // Its words were first read as it completed: they are what they are since then.
    EXPECT_EQ(QDateTime::fromString(first.value("lastChange").toString(), Qt::ISODate),
              clock.now());
    EXPECT_FALSE(first.value("caption").toString().isEmpty());
    EXPECT_TRUE(list.at(2).toObject().value("changed").toBool());
    EXPECT_TRUE(list.at(4).toObject().value("alerted").toBool());
    EXPECT_EQ(list.at(1).toObject().value("health").toString(), QStringLiteral("crashed"));
    const QJsonObject empty = list.at(29).toObject();
    EXPECT_EQ(empty.value("number").toInt(), 30);
    EXPECT_EQ(empty.value("address").toString(), QString());
    EXPECT_FALSE(empty.value("selected").toBool());
    EXPECT_TRUE(empty.value("lastChange").isNull());
}

TEST_F(RemoteAnswersTest, TheStatusTellsATabWhoseRefreshesFailAndOneSignedOut)
{
    session.settings[3].autoRefresh = true;
    session.settings[3].refreshMinutes = 1;
    browser(3).addressAnswer = {false, QStringLiteral("HTTP 503")};
    tab(5).setSignedOut(clock.now());
    clock.advance(61);
    timers.onRefreshTick();
    while (timers.queuedRefreshes() > 0)
        timers.onSpacingTick();
    const QJsonArray list = statusTabs();
    EXPECT_EQ(list.at(2).toObject().value("health").toString(), QStringLiteral("failing"));
    EXPECT_EQ(list.at(4).toObject().value("health").toString(), QStringLiteral("signed out"));
}

TEST_F(RemoteAnswersTest, TheLastChangeIsWhenTheWatchedTextBecameWhatItIs)
{
    watching->pages().versions().add(site(3), "before", clock.now().addSecs(-600));
    watching->pages().versions().add(site(3), "after", clock.now().addSecs(-60));
    const QString when = statusTabs().at(2).toObject().value("lastChange").toString();
    EXPECT_EQ(QDateTime::fromString(when, Qt::ISODate), clock.now().addSecs(-60));
}

TEST_F(RemoteAnswersTest, ATabLoadsTheAddressAndANumberOutOfTheStripIsRefused)
{
    const InstanceAnswer answer = ask({"--tab", "4", "https://example.org/board"});
    EXPECT_TRUE(answer.ok);
    EXPECT_EQ(browser(4).navigations.value(0), QStringLiteral("https://example.org/board"));
    EXPECT_EQ(strip.selected(), 1);
    EXPECT_FALSE(ask({"--tab", "4", "javascript:alert(1)"}).ok);
    EXPECT_FALSE(ask({"--tab", "31", "example.org"}).ok);
    strip.removeAll();
    strip.addTabs(20);
    const InstanceAnswer outside = ask({"--select", "25"});
    EXPECT_FALSE(outside.ok);
    EXPECT_TRUE(outside.text.contains("Tab 25"));
}

TEST_F(RemoteAnswersTest, SelectAndRefresh)
{
    EXPECT_TRUE(ask({"--select", "3"}).ok);
    EXPECT_EQ(strip.selected(), 3);
    EXPECT_TRUE(ask({"--refresh", "5"}).ok);
    EXPECT_EQ(browser(5).refreshes, 1);
    EXPECT_FALSE(ask({"--refresh", "9"}).ok);  // it shows no page
    const InstanceAnswer all = ask({"--refresh", "all"});
    EXPECT_TRUE(all.ok);
    EXPECT_TRUE(all.text.startsWith("4 tabs"));
    for (const int t : {1, 2, 3})
        EXPECT_EQ(browser(t).refreshes, 1) << t;
    EXPECT_EQ(browser(5).refreshes, 2);
    EXPECT_EQ(browser(9).refreshes, 0);
}

TEST_F(RemoteAnswersTest, ShowPutsBackTheTabShownBeforeOnceTheTimeHasPassed)
{
    strip.select(3);
    const InstanceAnswer answer = ask({"--show", "http://door.lan/cam", "--for", "20"});
    ASSERT_TRUE(answer.ok) << answer.text.toStdString();
    const int passing = answers.passing().passingTab();
    EXPECT_EQ(passing, 4);  // the first free tab
    EXPECT_EQ(strip.selected(), 4);
    EXPECT_EQ(browser(4).navigations.value(0), QStringLiteral("http://door.lan/cam"));
    EXPECT_TRUE(browser(3).navigations.isEmpty());  // the page shown before stays as it is
    clock.advance(19);
    answers.passing().onTick();
    EXPECT_EQ(strip.selected(), 4);
    clock.advance(1);
    answers.passing().onTick();
    EXPECT_EQ(strip.selected(), 3);
    EXPECT_EQ(browser(4).navigations.last(), QStringLiteral("about:blank"));
    EXPECT_EQ(browser(3).refreshes, 0);
}

TEST_F(RemoteAnswersTest, APictureIsWrittenOnlyOfAPageThatWasOnTheScreen)
{
    TempHome home;
    const QString file = home.file("tab1.png");
    const InstanceAnswer answer = ask({"--picture", "1", file});
    ASSERT_TRUE(answer.ok) << answer.text.toStdString();
    const QImage written(file);
    EXPECT_FALSE(written.isNull());
    EXPECT_GT(written.width(), 100);
    const InstanceAnswer never = ask({"--picture", "5", home.file("tab5.png")});
    EXPECT_FALSE(never.ok);
    EXPECT_TRUE(never.text.contains("Tab 5"));
    EXPECT_FALSE(QFile::exists(home.file("tab5.png")));
    // Seen once, but hidden now and drawing only its background, as under X.
    strip.select(5);
    strip.select(1);
    browser(5).drawsNothing = true;
    const InstanceAnswer hidden = ask({"--picture", "5", home.file("tab5.png")});
    EXPECT_FALSE(hidden.ok);
    EXPECT_TRUE(hidden.text.contains("--select 5"));
    EXPECT_FALSE(ask({"--picture", "1", home.file("no/such/folder/p.png")}).ok);
    EXPECT_FALSE(ask({"--picture", "1", "relative.png"}).ok);
}

TEST_F(RemoteAnswersTest, GarbleWordsAreRefused)
{
    EXPECT_FALSE(ask({"--select"}).ok);
    EXPECT_FALSE(ask({"rm", "-rf"}).ok);
    EXPECT_FALSE(ask({"--status", "--status"}).ok);
}
