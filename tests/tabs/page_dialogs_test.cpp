#include "core/download_list.h"
#include "core/own_pages.h"
#include "support/shell_fixture.h"
#include "shell/downloads_control.h"
#include "tabs/address_bar.h"
#include "tabs/page_dialog_box.h"
#include "tabs/page_dialog_queue.h"
#include "tabs/status_area.h"
#include "tabs/tab_strip.h"

#include <QCheckBox>
#include <QLineEdit>

using namespace pelquin;
using pelquin::test::ShellFixture;
using Kind = PageDialog::Kind;

class PageDialogsTest : public ShellFixture {
protected:
    void SetUp() override
    {
        start();
        prompts.clear();
        browser(1).load(QStringLiteral("http://one.example.com/"));
        browser(7).load(QStringLiteral("http://seven.example.com/"));
    }
    TabStrip &strip() { return window->tabStrip(); }
    PageDialogQueue &queue() { return window->pageDialogs(); }
};

TEST_F(PageDialogsTest, TheSelectedTabsDialogShowsAtOnceAndBlocksOnlyItsPage)
{
    strip().select(1);
    browser(1).askDialog(Kind::Confirm, QStringLiteral("<b>sure?</b>"));
    PageDialogBox *box = queue().openBox(1);
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
    EXPECT_EQ(queue().pending(1), 0);
}

TEST_F(PageDialogsTest, ABackgroundTabsDialogWaitsMarkedUntilItsTabIsSelected)
{
    strip().select(1);
    const QString caption = strip().caption(7);
    browser(7).askDialog(Kind::Alert, QStringLiteral("hello"));
    EXPECT_EQ(queue().openBox(7), nullptr);
    EXPECT_EQ(queue().pending(7), 1);
    EXPECT_TRUE(strip().waitingMark(7));
    EXPECT_EQ(strip().caption(7), caption);  // the caption stays the tab's own
    // The window goes on: other tabs are selected and keep loading.
    strip().select(2);
    browser(2).load(QStringLiteral("http://two.example.com/"));
    EXPECT_EQ(strip().image(2), 1);
    EXPECT_EQ(queue().openBox(7), nullptr);

    strip().select(7);
    PageDialogBox *box = queue().openBox(7);
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(box->isVisible());
    EXPECT_FALSE(strip().waitingMark(7));
    // Leaving the tab hides its box and marks it again; the answer still waits.
    strip().select(1);
    EXPECT_FALSE(box->isVisible());
    EXPECT_TRUE(strip().waitingMark(7));
    strip().select(7);
    EXPECT_TRUE(box->isVisible());
    box->accept();
    EXPECT_EQ(browser(7).replies.size(), 1);
    EXPECT_FALSE(strip().waitingMark(7));
}

TEST_F(PageDialogsTest, APageThatKeepsAskingCanBeSilencedUntilItIsLeft)
{
    strip().select(1);
    browser(1).askDialog(Kind::Alert, QStringLiteral("one"));
    EXPECT_EQ(queue().openBox(1)->preventBox(), nullptr);
    queue().openBox(1)->accept();
    browser(1).askDialog(Kind::Prompt, QStringLiteral("two"));
    PageDialogBox *second = queue().openBox(1);
    ASSERT_NE(second->preventBox(), nullptr);
    EXPECT_EQ(second->preventBox()->text(),
              QStringLiteral("Prevent this page from creating more dialogs"));
    second->valueField()->setText(QStringLiteral("typed"));
    second->preventBox()->setChecked(true);
    second->accept();
    EXPECT_EQ(browser(1).replies.last().text, QStringLiteral("typed"));
    browser(1).askDialog(Kind::Confirm, QStringLiteral("three"));
    EXPECT_EQ(queue().openBox(1), nullptr);
    ASSERT_EQ(browser(1).replies.size(), 3);
    EXPECT_FALSE(browser(1).replies.last().accepted);
    // A new page may ask again.
    browser(1).load(QStringLiteral("http://other.example.com/"));
    browser(1).askDialog(Kind::Alert, QStringLiteral("four"));
    EXPECT_NE(queue().openBox(1), nullptr);
}

TEST_F(PageDialogsTest, PermissionAnswersAreKeptPerSiteForTheRun)
{
    strip().select(1);
    browser(1).askDialog(Kind::Permission, QStringLiteral("know your location"));
    PageDialogBox *box = queue().openBox(1);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(PageDialogBox::messageFor(box->dialog()),
              QStringLiteral("one.example.com wants to know your location."));
    box->accept();
    browser(1).askDialog(Kind::Permission, QStringLiteral("know your location"));
    EXPECT_EQ(queue().openBox(1), nullptr);
    ASSERT_EQ(browser(1).replies.size(), 2);
    EXPECT_TRUE(browser(1).replies.last().accepted);
    // Another site, or another feature, is asked.
    browser(1).askDialog(Kind::Permission, QStringLiteral("use your camera"));
    EXPECT_NE(queue().openBox(1), nullptr);
}

TEST_F(PageDialogsTest, ALoginNamesSiteAndRealmAndAnEmptyOneIsNoAnswer)
{
    strip().select(1);
    browser(1).askDialog(Kind::Login, QStringLiteral("Staff only"), QStringLiteral("intra"));
    PageDialogBox *box = queue().openBox(1);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(PageDialogBox::messageFor(box->dialog()),
              QStringLiteral("intra asks for a name and password.\nRealm: Staff only"));
    EXPECT_EQ(box->passwordField()->echoMode(), QLineEdit::Password);
    box->accept();
    EXPECT_FALSE(browser(1).replies.last().accepted);
    browser(1).askDialog(Kind::Login, QStringLiteral("Staff only"), QStringLiteral("intra"));
    box = queue().openBox(1);
    box->valueField()->setText(QStringLiteral("alice"));
    box->passwordField()->setText(QStringLiteral("pw"));
    box->accept();
    EXPECT_TRUE(browser(1).replies.last().accepted);
    EXPECT_EQ(browser(1).replies.last().password, QStringLiteral("pw"));
}

TEST_F(PageDialogsTest, AStoppedPageLosesItsPictureAndSaysSo)
{
    strip().select(7);
    EXPECT_EQ(strip().image(7), 1);
    browser(7).crash();
    EXPECT_EQ(strip().image(7), 0);
    EXPECT_EQ(window->status().text(), stoppedStatusText());
    strip().select(1);
    EXPECT_NE(window->status().text(), stoppedStatusText());
    strip().select(7);
    EXPECT_EQ(window->status().text(), stoppedStatusText());
}

TEST_F(PageDialogsTest, ADownloadLeavesTheTabOnItsPageAndReportsInItsStatus)
{
    strip().select(7);
    const QString caption = strip().caption(7);
    browser(7).startLoad(QStringLiteral("http://seven.example.com/report.zip"));
    DownloadEntry entry;
    entry.tab = 7;
    entry.fileName = QStringLiteral("report.zip");
    entry.path = QStringLiteral("/home/u/Downloads/report.zip");
    const int id = factory->downloadList.add(entry, {});
    EXPECT_EQ(strip().caption(7), caption);
    EXPECT_EQ(window->addressBar().text(7), QStringLiteral("http://seven.example.com/"));
    EXPECT_TRUE(window->status().text().startsWith(QStringLiteral("Downloading report.zip")));
    factory->downloadList.setState(id, DownloadEntry::State::Finished);
    EXPECT_EQ(window->status().text(),
              QStringLiteral("Download finished: report.zip saved in /home/u/Downloads"));
}

TEST_F(PageDialogsTest, ClosingWithADownloadRunningAsksOnce)
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

TEST_F(PageDialogsTest, TerminationCancelsDownloadsWithoutAsking)
{
    int cancels = 0;
    factory->downloadList.add(DownloadEntry{}, [&] { ++cancels; });
    window->closeFor(CloseReason::Terminated);
    EXPECT_EQ(cancels, 1);
    EXPECT_TRUE(prompts.questions().empty());
}
