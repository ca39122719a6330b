#include "core/download_list.h"
#include "core/own_pages.h"
#include "support/shell_fixture.h"
#include "support/window_parts_fixture.h"
#include "desktop/downloads_control.h"
#include "tabs/tab_collection.h"
#include "tabs/page_dialog_box.h"
#include "tabs/page_dialog_queue.h"
#include "tabs/page_note_bar.h"
#include "shell/status_area.h"
#include "tabs/tab_strip.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>

using namespace pelquin;
using pelquin::test::LaidOutTabsFixture;
using pelquin::test::ShellFixture;
using Kind = PageDialog::Kind;

class PageDialogsTest : public LaidOutTabsFixture {
protected:
    PageDialogsTest()
    {
        // The note bar's page makes room for it and the selected tab shows its dialogs, as
        // in the main window.
        layout.setPageBar([this](const BrowserTab &tab) { return m_queue->noteBar(tab); });
        QObject::connect(m_queue, &PageDialogQueue::noteBarChanged, &window,
                         [this](BrowserTab &tab) { layout.applyBrowser(tab); });
        QObject::connect(&strip, &TabStrip::selectionHandling, m_queue,
                         [this] { m_queue->selectionChanged(); });
    }
    void SetUp() override
    {
        browser(1).load(QStringLiteral("http://one.example.com/"));
        browser(7).load(QStringLiteral("http://seven.example.com/"));
    }
    PageDialogQueue &queue() { return *m_queue; }

private:
    PageDialogQueue *m_queue = new PageDialogQueue(strip, tabs, &window);
    DownloadsControl *m_downloads =
        new DownloadsControl(factory.downloads(), tabs, prompts, &window);
};

TEST_F(PageDialogsTest, TheSelectedTabsDialogShowsAtOnceAndBlocksOnlyItsPage)
{
    strip.select(1);
    browser(1).askDialog(Kind::Confirm, QStringLiteral("<b>sure?</b>"));
    PageDialogBox *box = queue().openBox(tabs.tab(1));
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(box->isVisible());
    EXPECT_EQ(box->windowModality(), Qt::NonModal);
    EXPECT_EQ(box->windowTitle(), QStringLiteral("Tab 1: one.example.com"));
    EXPECT_FALSE(browser(1).widget()->isEnabled());
    EXPECT_TRUE(browser(7).widget()->isEnabled());
    EXPECT_TRUE(browser(1).replies.isEmpty());
    box->accept();
    ASSERT_EQ(browser(1).replies.size(), 1);
    EXPECT_TRUE(browser(1).replies.first().accepted);
    EXPECT_TRUE(browser(1).widget()->isEnabled());
    EXPECT_EQ(queue().pending(tabs.tab(1)), 0);
}

TEST_F(PageDialogsTest, ABackgroundTabsAlertIsAnsweredAtOnceAndShownAsANoteOnItsTab)
{
    strip.select(1);
    const QString caption = strip.caption(7);
    browser(7).askDialog(Kind::Alert, QStringLiteral("hello"));
    // The page went on at once: nothing waits, no box.
    ASSERT_EQ(browser(7).replies.size(), 1);
    EXPECT_EQ(queue().openBox(tabs.tab(7)), nullptr);
    EXPECT_EQ(queue().pending(tabs.tab(7)), 0);
    EXPECT_TRUE(strip.waitingMark(7));
    EXPECT_EQ(strip.caption(7), caption);  // the caption stays the tab's own
    EXPECT_EQ(queue().noteBar(tabs.tab(1)), nullptr);

    strip.select(7);
    PageNoteBar *bar = queue().noteBar(tabs.tab(7));
    ASSERT_NE(bar, nullptr);
    EXPECT_TRUE(bar->isVisible());
    EXPECT_EQ(bar->label()->text(), QStringLiteral("seven.example.com says: hello"));
    EXPECT_EQ(bar->actionButton()->text(), QStringLiteral("&OK"));
    EXPECT_FALSE(strip.waitingMark(7));  // seen
    // The bar sits above the page, which makes room for it.
    EXPECT_EQ(bar->geometry().bottom() + 1, browser(7).widget()->geometry().top());
    const int pageTop = browser(7).widget()->geometry().top();
    bar->actionButton()->click();
    EXPECT_EQ(queue().noteBar(tabs.tab(7)), nullptr);
    EXPECT_TRUE(bar->isHidden());
    EXPECT_EQ(browser(7).widget()->geometry().top(), bar->geometry().top());
    EXPECT_LT(browser(7).widget()->geometry().top(), pageTop);
}

TEST_F(PageDialogsTest, TheSelectedTabsAlertNeverWaitsEither)
{
    strip.select(1);
    browser(1).askDialog(Kind::Alert, QStringLiteral("one"));
    browser(1).askDialog(Kind::Alert, QStringLiteral("two"));
    EXPECT_EQ(browser(1).replies.size(), 2);
    EXPECT_EQ(queue().openBox(tabs.tab(1)), nullptr);
    ASSERT_NE(queue().noteBar(tabs.tab(1)), nullptr);
    EXPECT_EQ(queue().noteBar(tabs.tab(1))->label()->text(),
              QStringLiteral("one.example.com says: two (2 messages, the last shown)"));
    EXPECT_FALSE(strip.waitingMark(1));
}

TEST_F(PageDialogsTest, ABackgroundTabsQuestionIsCancelledAtOnceAndCanBeAskedAgain)
{
    strip.select(1);
    for (const Kind kind : {Kind::Confirm, Kind::Prompt, Kind::LeavePage}) {
        const int before = int(browser(7).replies.size());
        browser(7).askDialog(kind, QStringLiteral("sure?"));
        ASSERT_EQ(browser(7).replies.size(), before + 1);
        EXPECT_FALSE(browser(7).replies.last().accepted);
        EXPECT_EQ(queue().openBox(tabs.tab(7)), nullptr);
    }
    EXPECT_TRUE(strip.waitingMark(7));
    // A message that follows does not push the question away.
    browser(7).askDialog(Kind::Alert, QStringLiteral("by the way"));
    strip.select(7);
    PageNoteBar *bar = queue().noteBar(tabs.tab(7));
    ASSERT_NE(bar, nullptr);
    EXPECT_TRUE(bar->label()->text().contains(QStringLiteral("because this tab was in the "
                                                             "background")));
    EXPECT_EQ(bar->actionButton()->text(), QStringLiteral("&Reload"));
    const int refreshes = browser(7).refreshes;
    bar->actionButton()->click();
    EXPECT_EQ(browser(7).refreshes, refreshes + 1);
    EXPECT_EQ(queue().note(tabs.tab(7)), nullptr);
    // Now the user is there: the page's next question waits for the answer in a box.
    browser(7).askDialog(Kind::Confirm, QStringLiteral("sure now?"));
    ASSERT_NE(queue().openBox(tabs.tab(7)), nullptr);
    queue().openBox(tabs.tab(7))->accept();
    EXPECT_TRUE(browser(7).replies.last().accepted);
}

TEST_F(PageDialogsTest, LeavingATabWhoseQuestionIsOpenAnswersItCancelAndNotesIt)
{
    strip.select(7);
    browser(7).askDialog(Kind::Prompt, QStringLiteral("your name?"));
    PageDialogBox *box = queue().openBox(tabs.tab(7));
    ASSERT_NE(box, nullptr);
    box->valueField()->setText(QStringLiteral("typed"));
    EXPECT_TRUE(browser(7).replies.isEmpty());
    strip.select(1);
    // The engine no longer waits for a tab nobody looks at.
    ASSERT_EQ(browser(7).replies.size(), 1);
    EXPECT_FALSE(browser(7).replies.first().accepted);
    EXPECT_EQ(queue().openBox(tabs.tab(7)), nullptr);
    EXPECT_TRUE(browser(7).widget()->isEnabled());
    EXPECT_TRUE(strip.waitingMark(7));
    ASSERT_NE(queue().note(tabs.tab(7)), nullptr);
    EXPECT_EQ(queue().note(tabs.tab(7))->kind, PageNote::Kind::CancelledQuestion);
}

TEST_F(PageDialogsTest, ABackgroundLoginIsCancelledAndLogInAsksThenLoadsWithTheAnswer)
{
    strip.select(1);
    browser(7).askDialog(Kind::Login, QStringLiteral("Staff only"), QStringLiteral("intra"));
    ASSERT_EQ(browser(7).replies.size(), 1);
    EXPECT_FALSE(browser(7).replies.first().accepted);  // the server's own page shows
    EXPECT_TRUE(strip.waitingMark(7));
    strip.select(7);
    PageNoteBar *bar = queue().noteBar(tabs.tab(7));
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->label()->text(),
              QStringLiteral("intra asks for a name and password (realm: Staff only). The "
                             "login was cancelled because this tab was in the background."));
    EXPECT_EQ(bar->actionButton()->text(), QStringLiteral("&Log in"));
    bar->actionButton()->click();
    PageDialogBox *box = queue().loginBox(tabs.tab(7));
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(box->isVisible());
    // Cancelling keeps the note for later.
    box->reject();
    EXPECT_NE(queue().note(tabs.tab(7)), nullptr);
    EXPECT_TRUE(browser(7).logins.isEmpty());
    bar->actionButton()->click();
    box = queue().loginBox(tabs.tab(7));
    ASSERT_NE(box, nullptr);
    box->valueField()->setText(QStringLiteral("alice"));
    box->passwordField()->setText(QStringLiteral("pw"));
    box->accept();
    EXPECT_EQ(browser(7).logins, QStringList{QStringLiteral("intra alice:pw")});
    EXPECT_EQ(queue().note(tabs.tab(7)), nullptr);
    EXPECT_EQ(queue().noteBar(tabs.tab(7)), nullptr);
}

TEST_F(PageDialogsTest, APageThatKeepsAskingCanBeSilencedUntilItIsLeft)
{
    strip.select(1);
    browser(1).askDialog(Kind::Confirm, QStringLiteral("one"));
    EXPECT_EQ(queue().openBox(tabs.tab(1))->preventBox(), nullptr);
    queue().openBox(tabs.tab(1))->accept();
    browser(1).askDialog(Kind::Prompt, QStringLiteral("two"));
    PageDialogBox *second = queue().openBox(tabs.tab(1));
    ASSERT_NE(second->preventBox(), nullptr);
    EXPECT_EQ(second->preventBox()->text(),
              QStringLiteral("Prevent this page from creating more dialogs"));
    second->valueField()->setText(QStringLiteral("typed"));
    second->preventBox()->setChecked(true);
    second->accept();
    EXPECT_EQ(browser(1).replies.last().text, QStringLiteral("typed"));
    browser(1).askDialog(Kind::Confirm, QStringLiteral("three"));
    browser(1).askDialog(Kind::Alert, QStringLiteral("four"));
    EXPECT_EQ(queue().openBox(tabs.tab(1)), nullptr);
    EXPECT_EQ(queue().note(tabs.tab(1)), nullptr);
    ASSERT_EQ(browser(1).replies.size(), 4);
    EXPECT_FALSE(browser(1).replies.last().accepted);
    // A new page may ask again.
    browser(1).load(QStringLiteral("http://other.example.com/"));
    browser(1).askDialog(Kind::Confirm, QStringLiteral("five"));
    EXPECT_NE(queue().openBox(tabs.tab(1)), nullptr);
}

TEST_F(PageDialogsTest, PermissionAnswersAreKeptPerOriginForTheRun)
{
    strip.select(1);
    browser(1).load(QStringLiteral("http://one.example.com:8001/"));
    browser(1).askDialog(Kind::Permission, QStringLiteral("know your location"));
    PageDialogBox *box = queue().openBox(tabs.tab(1));
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(PageDialogBox::messageFor(box->dialog()),
              QStringLiteral("one.example.com wants to know your location."));
    box->accept();
    browser(1).askDialog(Kind::Permission, QStringLiteral("know your location"));
    EXPECT_EQ(queue().openBox(tabs.tab(1)), nullptr);
    ASSERT_EQ(browser(1).replies.size(), 2);
    EXPECT_TRUE(browser(1).replies.last().accepted);
    // Another feature, another port or another scheme of the same host is asked.
    browser(1).askDialog(Kind::Permission, QStringLiteral("use your camera"));
    ASSERT_NE(queue().openBox(tabs.tab(1)), nullptr);
    queue().openBox(tabs.tab(1))->reject();
    for (const char *other : {"http://one.example.com:8002/", "https://one.example.com/"}) {
        browser(1).load(QString::fromLatin1(other));
        browser(1).askDialog(Kind::Permission, QStringLiteral("know your location"));
        ASSERT_NE(queue().openBox(tabs.tab(1)), nullptr) << other;
        queue().openBox(tabs.tab(1))->reject();
    }
}

TEST_F(PageDialogsTest, APermissionQuestionOfABackgroundTabWaitsWithoutHoldingTheEngine)
{
    strip.select(1);
    browser(7).askDialog(Kind::Permission, QStringLiteral("show notifications"));
    EXPECT_TRUE(browser(7).replies.isEmpty());
    EXPECT_EQ(queue().pending(tabs.tab(7)), 1);
    EXPECT_TRUE(strip.waitingMark(7));
    strip.select(7);
    ASSERT_NE(queue().openBox(tabs.tab(7)), nullptr);
    queue().openBox(tabs.tab(7))->accept();
    ASSERT_EQ(browser(7).replies.size(), 1);
    EXPECT_TRUE(browser(7).replies.first().accepted);
}

TEST_F(PageDialogsTest, AHugeRealmWrapsAndTheBoxFitsTheScreen)
{
    strip.select(1);
    browser(1).askDialog(Kind::Login, QString(3000, QLatin1Char('R')), QStringLiteral("intra"));
    PageDialogBox *box = queue().openBox(tabs.tab(1));
    ASSERT_NE(box, nullptr);
    const QRect screen = box->screen()->availableGeometry();
    EXPECT_LE(box->frameGeometry().width(), screen.width());
    EXPECT_LE(box->frameGeometry().height(), screen.height());
    EXPECT_TRUE(screen.contains(box->frameGeometry().topLeft()));
    const QList<QPushButton *> buttons = box->findChildren<QPushButton *>();
    ASSERT_FALSE(buttons.isEmpty());
    for (QPushButton *button : buttons)
        EXPECT_LE(button->mapTo(box, QPoint(button->width(), 0)).x(), box->width());
    box->reject();
}

TEST_F(PageDialogsTest, ALoginNamesSiteAndRealmAndAnEmptyOneIsNoAnswer)
{
    strip.select(1);
    browser(1).askDialog(Kind::Login, QStringLiteral("Staff only"), QStringLiteral("intra"));
    PageDialogBox *box = queue().openBox(tabs.tab(1));
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(PageDialogBox::messageFor(box->dialog()),
              QStringLiteral("intra asks for a name and password.\nRealm: Staff only"));
    EXPECT_EQ(box->passwordField()->echoMode(), QLineEdit::Password);
    box->accept();
    EXPECT_FALSE(browser(1).replies.last().accepted);
    browser(1).askDialog(Kind::Login, QStringLiteral("Staff only"), QStringLiteral("intra"));
    box = queue().openBox(tabs.tab(1));
    box->valueField()->setText(QStringLiteral("alice"));
    box->passwordField()->setText(QStringLiteral("pw"));
    box->accept();
    EXPECT_TRUE(browser(1).replies.last().accepted);
    EXPECT_EQ(browser(1).replies.last().password, QStringLiteral("pw"));
}

TEST_F(PageDialogsTest, AStoppedPageLosesItsPictureAndSaysSo)
{
    strip.select(7);
    EXPECT_EQ(strip.picture(7), TabPicture::World);
    browser(7).crash();
    EXPECT_EQ(strip.picture(7), TabPicture::None);
    EXPECT_EQ(status.text(), stoppedStatusText());
    strip.select(1);
    EXPECT_NE(status.text(), stoppedStatusText());
    strip.select(7);
    EXPECT_EQ(status.text(), stoppedStatusText());
}

TEST_F(PageDialogsTest, ADownloadLeavesTheTabOnItsPageAndReportsInItsStatus)
{
    strip.select(7);
    const QString caption = strip.caption(7);
    browser(7).startLoad(QStringLiteral("http://seven.example.com/report.zip"));
    DownloadEntry entry;
    entry.tab = 7;
    entry.fileName = QStringLiteral("report.zip");
    entry.path = QStringLiteral("/home/u/Downloads/report.zip");
    const int id = factory.downloadList.add(entry, {});
    EXPECT_EQ(strip.caption(7), caption);
    EXPECT_EQ(tabs.tab(7).address(), QStringLiteral("http://seven.example.com/"));
    EXPECT_TRUE(status.text().startsWith(QStringLiteral("Downloading report.zip")));
    factory.downloadList.setState(id, DownloadEntry::State::Finished);
    EXPECT_EQ(status.text(),
              QStringLiteral("Download finished: report.zip saved in /home/u/Downloads"));
}

// Closing asks the window's questions: these need the whole window.
class DownloadsAtCloseTest : public ShellFixture {
protected:
    void SetUp() override
    {
        start();
        prompts.clear();
    }
};

TEST_F(DownloadsAtCloseTest, ClosingWithADownloadRunningAsksOnce)
{
    int cancels = 0;
    factory->downloadList.add(DownloadEntry{}, [&] { ++cancels; });
    prompts.answer(false);
    EXPECT_FALSE(window->close());
    EXPECT_EQ(prompts.questions().size(), 1u);
    EXPECT_EQ(cancels, 0);
    prompts.answer(true);
    EXPECT_TRUE(window->close());
    EXPECT_EQ(cancels, 1);
    EXPECT_EQ(prompts.questions().size(), 2u);
}

TEST_F(DownloadsAtCloseTest, TerminationCancelsDownloadsWithoutAsking)
{
    int cancels = 0;
    factory->downloadList.add(DownloadEntry{}, [&] { ++cancels; });
    window->closeFor(CloseReason::Terminated);
    EXPECT_EQ(cancels, 1);
    EXPECT_TRUE(prompts.questions().empty());
}
