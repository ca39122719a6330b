#include "tabs/tab_collection.h"
#include "support/window_parts_fixture.h"
#include "shell/button_bar.h"
#include "shell/status_area.h"
#include "tabs/tab_strip.h"

#include <QLabel>
#include <QProgressBar>

using namespace pelquin;
using pelquin::test::LaidOutTabsFixture;

// The selected tab's padlock, status and Back/Forward follow it as in the main window.
class BrowserEventsTest : public LaidOutTabsFixture {
protected:
    void SetUp() override { setProfile({{3, QStringLiteral("http://www.example.com/")}}); }
};

TEST_F(BrowserEventsTest, AJavascriptNavigationChangesNothing)
{
    browser(3).load(QStringLiteral("http://news.sample.org/"));
    browser(3).startLoad(QStringLiteral("  JavaScript:alert(1)"));
    EXPECT_EQ(strip.picture(3), TabPicture::World);
    EXPECT_EQ(strip.caption(3), QStringLiteral("sample"));
    EXPECT_EQ(tabs.tab(3).state().currentUrl, QStringLiteral("http://news.sample.org/"));
}

TEST_F(BrowserEventsTest, NavigationStartSetsCaptionTooltipAndDropdown)
{
    const QString secure = QStringLiteral("view-source:https://bank.example.com/login");
    browser(4).startLoad(secure);
    EXPECT_EQ(strip.caption(4), QStringLiteral("example"));
    EXPECT_EQ(strip.toolTip(4), QStringLiteral("Tab 4:") + secure);
    EXPECT_EQ(tabs.tab(4).address(), QStringLiteral("https://bank.example.com/login"));
    EXPECT_EQ(tabs.tab(4).lastRefresh(), clock.now());
}

TEST_F(BrowserEventsTest, ThePadlockTellsOfTheSelectedTabsPageOnly)
{
    QLabel *padlock = status.padlock();
    strip.select(4);
    browser(4).startLoad(QStringLiteral("https://bank.example.com/"));
    EXPECT_TRUE(padlock->isHidden());  // nothing is shown, or trusted, before it loads
    browser(4).finishLoad(QStringLiteral("https://bank.example.com/"));
    EXPECT_FALSE(padlock->isHidden());
    EXPECT_EQ(padlock->toolTip(), QStringLiteral("Using Secure Connection"));
    // Another tab's https page does not speak for the selected one, nor the other way round.
    browser(5).load(QStringLiteral("http://plain.example/"));
    EXPECT_FALSE(padlock->isHidden());
    strip.select(5);
    EXPECT_TRUE(padlock->isHidden());
    browser(6).load(QStringLiteral("https://secure.example/"));
    EXPECT_TRUE(padlock->isHidden());
    strip.select(4);
    EXPECT_FALSE(padlock->isHidden());
    // A secure page's frame changes nothing.
    browser(4).startLoad(QStringLiteral("http://ads.example.net/frame"), false);
    EXPECT_FALSE(padlock->isHidden());
}

TEST_F(BrowserEventsTest, ACertificateTheUserAcceptedShowsAWarningNotThePadlock)
{
    QLabel *padlock = status.padlock();
    strip.select(4);
    browser(4).load(QStringLiteral("https://trusted.example/"));
    const QImage trusted = padlock->pixmap().toImage();
    browser(4).acceptedCertificates << QStringLiteral("self-signed.example");
    browser(4).load(QStringLiteral("https://self-signed.example/"));
    EXPECT_FALSE(padlock->isHidden());
    EXPECT_NE(padlock->pixmap().toImage(), trusted);
    EXPECT_EQ(padlock->toolTip(), QStringLiteral("Not secure: you accepted this site's "
                                                 "certificate despite an error"));
    browser(4).load(QStringLiteral("https://trusted.example/"));
    EXPECT_EQ(padlock->pixmap().toImage(), trusted);
}

TEST_F(BrowserEventsTest, ASiteWhoseCertificateIsRefusedShowsNoPadlock)
{
    strip.select(4);
    browser(4).load(QStringLiteral("https://untrusted.example/"));
    EXPECT_FALSE(status.padlock()->isHidden());
    browser(4).refuseCertificate();
    EXPECT_TRUE(status.padlock()->isHidden());
}

TEST_F(BrowserEventsTest, AFrameNavigationLeavesCaptionTooltipAndDropdownAlone)
{
    browser(3).load(QStringLiteral("http://www.example.com/"));
    browser(3).startLoad(QStringLiteral("https://ads.example.net/frame"), false);
    EXPECT_EQ(strip.picture(3), TabPicture::None);
    EXPECT_EQ(tabs.tab(3).state().currentUrl, QStringLiteral("https://ads.example.net/frame"));
    EXPECT_EQ(strip.caption(3), QStringLiteral("Name3"));
    EXPECT_EQ(tabs.tab(3).address(), QStringLiteral("http://www.example.com/"));
}

TEST_F(BrowserEventsTest, TheStartPagesSiteShowsTheTabNameAndAScriptCaptionComesNext)
{
    browser(3).load(QStringLiteral("http://example.com/news"));
    EXPECT_EQ(strip.caption(3), QStringLiteral("Name3"));
    tabs.tab(3).state().scriptCaption = QStringLiteral("Scripted");
    browser(3).load(QStringLiteral("http://news.sample.org/"));
    EXPECT_EQ(strip.caption(3), QStringLiteral("Scripted"));
    browser(3).load(QStringLiteral("http://www.example.com/again"));
    EXPECT_EQ(strip.caption(3), QStringLiteral("Name3"));
}

TEST_F(BrowserEventsTest, GoingOntoAnEmptyHistoryEntryMovesOnInTheSameDirection)
{
    browser(3).history = {"a", "http:///", "b"};
    browser(3).historyIndex = 1;
    session.tabs.historyDirection = HistoryDirection::Back;
    browser(3).startLoad(QStringLiteral("http:///"));
    EXPECT_EQ(browser(3).navigations.last(), QStringLiteral("a"));
    session.tabs.historyDirection = HistoryDirection::None;
    const int before = browser(3).navigations.size();
    browser(3).startLoad(QStringLiteral("http:///"));
    EXPECT_EQ(browser(3).navigations.size(), before);
}

TEST_F(BrowserEventsTest, ACompletionAtTheEmptyAddressChangesNothing)
{
    tabs.tab(3).state().loading = true;  // its first page was asked for at start-up
    browser(3).startLoad(QStringLiteral("http://x.example/"));
    browser(3).finishLoad(QStringLiteral("http:///"));
    EXPECT_EQ(strip.picture(3), TabPicture::None);
    EXPECT_TRUE(tabs.tab(3).state().loading);
}

TEST_F(BrowserEventsTest, TheTabTellsOfItsLoadAndCompletedPage)
{
    QStringList said;
    BrowserTab &tab = tabs.tab(7);
    QObject::connect(&tab, &BrowserTab::loadStarted,
                     [&](const QString &a) { said << "start " + a; });
    QObject::connect(&tab, &BrowserTab::pageCompleted,
                     [&](const QString &a) { said << "page " + a; });
    QObject::connect(&tab, &BrowserTab::loadFinished, [&] { said << QStringLiteral("end"); });
    QObject::connect(&tab, &BrowserTab::captionChanged, [&](const QString &c) { said << c; });
    browser(7).load(QStringLiteral("http://x.example/"));
    EXPECT_EQ(said, (QStringList{"start http://x.example/", "x", "x", "page http://x.example/",
                                 "end"}));
    // A frame's navigation is no load of the tab's page.
    said.clear();
    browser(7).startLoad(QStringLiteral("http://ads.example/"), false);
    EXPECT_TRUE(said.isEmpty());
}

TEST_F(BrowserEventsTest, ARefusedPopupBeepsAndOpensTheHoveredAddressInTheTab)
{
    bool cancel = false;
    emit browser(3).statusTextChange(QStringLiteral("Opening page..."));
    emit browser(3).newWindow(&cancel);
    EXPECT_TRUE(cancel);
    EXPECT_EQ(prompts.beeps(), 1);
    const int before = browser(3).navigations.size();
    EXPECT_EQ(browser(3).navigations.size(), before);
    emit browser(3).statusTextChange(QStringLiteral("hTTp://popup.example/"));
    cancel = false;
    emit browser(3).newWindow(&cancel);
    EXPECT_EQ(browser(3).navigations.last(), QStringLiteral("hTTp://popup.example/"));
    session.settings[3].openNewBrowser = true;
    cancel = false;
    emit browser(3).newWindow(&cancel);
    EXPECT_FALSE(cancel);
    EXPECT_EQ(prompts.beeps(), 2);
}

TEST_F(BrowserEventsTest, OnlyTheSelectedTabShowsProgressStatusAndButtons)
{
    emit browser(5).progressChange(40, 100);
    EXPECT_EQ(tabs.tab(5).state().progressMax, 0);
    emit browser(1).progressChange(30, 200);
    EXPECT_EQ(status.progressBar()->maximum(), 200);
    EXPECT_EQ(status.progressBar()->value(), 30);
    emit browser(1).progressChange(-1, 200);
    EXPECT_EQ(tabs.tab(1).state().progressValue, 30);

    emit browser(5).statusTextChange(QStringLiteral("background"));
    EXPECT_NE(status.text(), QStringLiteral("background"));
    emit browser(5).historyButtonChange(HistoryButton::Back, true);
    EXPECT_FALSE(buttons.enabled(1));
    strip.select(5);
    EXPECT_EQ(status.text(), QStringLiteral("background"));
    EXPECT_TRUE(buttons.enabled(1));
    EXPECT_FALSE(buttons.enabled(2));
    EXPECT_EQ(status.progressBar()->value(), 0);
    EXPECT_EQ(status.progressBar()->maximum(), 200);  // kept: tab 5 has no progress
}
