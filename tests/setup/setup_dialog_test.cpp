#include "core/tab_settings.h"
#include "platform/app_folder.h"
#include "platform/basic_text.h"
#include "platform/text_file.h"
#include "setup/setup_dialog.h"
#include "commands/commands.h"
#include "sponsor/sponsor_site.h"
#include "support/fake_scriptable_window.h"
#include "support/shell_fixture.h"
#include "support/temp_home.h"
#include "support/window_parts_fixture.h"
#include "tabs/tab_collection.h"
#include "tabs/staged_loading.h"
#include "tabs/tab_strip.h"
#include "tabs/timers.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMimeData>
#include <QPointer>
#include <QPushButton>
#include <QTest>

using namespace pelquin;
using pelquin::test::ShellFixture;

namespace {

// The Setup dialog over the loaded tabs, with the profile read from the application folder as
// at start-up: tab 1 paused, refreshed and in a new browser, tab 3 refreshed every 15 minutes.
class SetupDialogTest : public test::LoadingFixture {
protected:
    void SetUp() override
    {
        session.appFolder = home.folder();
        setProfile({{3, QStringLiteral("http://three.example/")}}, {{1, "PRN"}, {3, "R"}}, 15);
        session.settings.profilePath = chosenProfilePath(home.folder(), QString());
        writeProfile(session.settings.profilePath, session.settings);
        readStartupProfile(session.settings, sponsor, errors);
        startUp();
        browser(3).load(QStringLiteral("http://three.example/"));
        dialog = new SetupDialog({session, controls(), scriptable, sponsor, prompts, errors, timers,
                                  [] {}},
                                 &window);
        dialog->show();
    }
    const SetupRow &row(int i) { return dialog->row(i); }
    void click(const char *name) { dialog->findChild<QPushButton *>(QLatin1String(name))->click(); }
    QStringList profileLines(const QString &name)
    {
        return QString::fromUtf8(home.read(name)).split(QStringLiteral("\r\n"));
    }
    test::TempHome home;
    test::FakeScriptableWindow scriptable;
    SponsorSite sponsor{QStringLiteral("pelquin.localhost:8470")};
    QPointer<SetupDialog> dialog;
};

}  // namespace

TEST_F(SetupDialogTest, OpeningShowsTheSponsorRowsGreyedWithClearedBoxes)
{
    EXPECT_TRUE(timers.pauses().has(RefreshPause::Setup));
    EXPECT_FALSE(timers.refreshTimer().isActive());
    EXPECT_FALSE(row(1).startUrlEdit->isEnabled());
    EXPECT_EQ(row(1).startUrlEdit->text(), sponsor.welcomeUrl());
    EXPECT_EQ(row(2).tabNameEdit->text(), QStringLiteral("Search"));
    EXPECT_FALSE(row(1).pauseCheck->isChecked());
    EXPECT_EQ(row(1).intervalEdit->text(), QString());
    EXPECT_EQ(row(3).startUrlEdit->text(), QStringLiteral("http://three.example/"));
    EXPECT_TRUE(row(3).autoRefreshCheck->isChecked());
    EXPECT_EQ(row(3).intervalEdit->text(), QStringLiteral("15"));
    EXPECT_TRUE(row(3).intervalEdit->isEnabled());
    EXPECT_FALSE(row(4).intervalEdit->isEnabled());
    EXPECT_EQ(dialog->pages()->count(), 3);
    EXPECT_EQ(dialog->pages()->tabText(2), QStringLiteral("Tabs 21 - 30"));
}

TEST_F(SetupDialogTest, OkWithoutChangesRewritesTheProfileWithTheSponsorFlagsCleared)
{
    const QString captionBefore = strip.caption(3);
    click("okButton");
    const QStringList lines = profileLines("Setup.set");
    EXPECT_EQ(lines.mid(0, 6), (QStringList{sponsor.welcomeUrl(), "Pelquin", " 0 ", " 0 ",
                                            " 0 ", " 0 "}));
    EXPECT_EQ(lines.mid(12, 6), (QStringList{"http://three.example/", "Name3", " 0 ", "-1 ",
                                             " 15 ", " 0 "}));
    EXPECT_EQ(strip.caption(3), captionBefore);
    EXPECT_FALSE(timers.pauses().has(RefreshPause::Setup));
    EXPECT_TRUE(timers.refreshTimer().isActive());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(dialog.data(), nullptr);
}

TEST_F(SetupDialogTest, AChangedAddressNamesTheTabAtOnceAndTheStagedLoadingLoadsIt)
{
    row(5).startUrlEdit->setText(QStringLiteral("http://five.example/"));
    row(5).tabNameEdit->setText(QStringLiteral("Five"));
    click("okButton");
    EXPECT_EQ(strip.caption(5), QStringLiteral("Five"));
    EXPECT_FALSE(session.tabs.startupDone);
    timers.onRefreshTick();
    EXPECT_EQ(browser(5).navigations, QStringList{"http://five.example/"});
}

TEST_F(SetupDialogTest, LoadThenOkWithNoWritesNothingButTheTabsReloadTheLoadedProfile)
{
    const QByteArray before = home.read("Setup.set");
    QStringList other;
    for (int t = 1; t <= 30; ++t)
        other << (t == 4 ? QStringLiteral("http://four.example/") : QString()) << QString()
              << " 0 " << " 0 " << " 0 " << (t == 4 ? "-1 " : " 0 ");
    writeTextFile(home.file("other.set"), other);
    prompts.chooseFile(home.file("other.set"));
    click("loadButton");
    EXPECT_TRUE(prompts.questions().empty());  // a loaded flag ticks the box without asking
    EXPECT_TRUE(row(4).newBrowserCheck->isChecked());
    EXPECT_EQ(prompts.fileRequests().back().filter, QStringLiteral("Setup Files (*.set)"));
    prompts.answer(false);
    click("okButton");
    EXPECT_EQ(prompts.questions().back().title, QStringLiteral("Overwire Setup.Set?"));
    EXPECT_EQ(home.read("Setup.set"), before);
    EXPECT_TRUE(timers.restartTimer().isActive());
    timers.onRestartTick();
    EXPECT_EQ(browser(4).navigations, QStringList{"http://four.example/"});
    EXPECT_TRUE(session.settings.loadedForSetup);
}

TEST_F(SetupDialogTest, LoadThenOkWithYesWritesSetupSetNotTheLoadedFile)
{
    writeTextFile(home.file("other.set"), QStringList(180, QStringLiteral(" 0 ")));
    const QByteArray loaded = home.read("other.set");
    prompts.chooseFile(home.file("other.set"));
    click("loadButton");
    row(6).startUrlEdit->setText(QStringLiteral("http://six.example/"));
    prompts.answer(true);
    click("okButton");
    EXPECT_EQ(home.read("other.set"), loaded);
    EXPECT_EQ(profileLines("Setup.set").at(30), QStringLiteral("http://six.example/"));
    EXPECT_FALSE(session.settings.loadedForSetup);
}

TEST_F(SetupDialogTest, SaveWritesANewFileAndTheNextOkWritesTheDefaultProfile)
{
    row(7).tabNameEdit->setText(QStringLiteral("Seven"));
    prompts.chooseFile(home.file("mine"));
    click("saveButton");
    EXPECT_EQ(profileLines("mine.set").at(37), QStringLiteral("Seven"));
    EXPECT_EQ(session.settings[7].tabName, QStringLiteral("Seven"));
    EXPECT_EQ(session.settings.profilePath, home.file("Setup.set"));
    EXPECT_EQ(prompts.fileRequests().back().folder, home.folder());
    click("saveButton");  // cancelled: nothing happens
    EXPECT_TRUE(prompts.messages().empty());
}

TEST_F(SetupDialogTest, TheIntervalBoxTakesDigitsOnlyAndShowsZeroWhenEmptied)
{
    row(8).autoRefreshCheck->setChecked(true);
    EXPECT_EQ(row(8).intervalEdit->text(), QStringLiteral("0"));
    QLineEdit *box = row(8).intervalEdit->edit();
    box->clear();
    QTest::keyClicks(box, QStringLiteral("ab"));
    EXPECT_EQ(row(8).intervalEdit->text(), QString());
    QFocusEvent leave(QEvent::FocusOut);
    QCoreApplication::sendEvent(box, &leave);
    EXPECT_EQ(row(8).intervalEdit->text(), QStringLiteral("0"));
    box->clear();
    QTest::keyClicks(box, QStringLiteral("4x2"));
    EXPECT_EQ(row(8).intervalEdit->text(), QStringLiteral("42"));
    row(8).autoRefreshCheck->setChecked(false);
    EXPECT_FALSE(row(8).intervalEdit->isEnabled());
    EXPECT_EQ(row(8).intervalEdit->text(), QStringLiteral("0"));
}

TEST_F(SetupDialogTest, TheNewBrowserWarningAnsweredNoClearsTheBox)
{
    prompts.answer(false);
    row(9).newBrowserCheck->click();
    EXPECT_FALSE(row(9).newBrowserCheck->isChecked());
    ASSERT_EQ(prompts.questions().size(), 1u);
    EXPECT_EQ(prompts.questions()[0].title, QStringLiteral("You Probably don't want to do this"));
    EXPECT_FALSE(prompts.questions()[0].defaultYes);
    prompts.answer(true);
    row(9).newBrowserCheck->click();
    EXPECT_TRUE(row(9).newBrowserCheck->isChecked());
}

TEST_F(SetupDialogTest, EraseKeepsEachDropdownsTextAndEmptiesTheSharedList)
{
    session.history.setRequests({QStringLiteral("a.example"), QStringLiteral("b.example")});
    tabs.tab(3).setAddress(QStringLiteral("kept text"));
    prompts.answer(false);
    click("eraseHistoryButton");
    EXPECT_EQ(session.history.size(), 2);
    prompts.answer(true);
    click("eraseHistoryButton");
    EXPECT_EQ(session.history.size(), 0);
    EXPECT_EQ(tabs.tab(3).addressBox().count(), 0);
    EXPECT_EQ(tabs.tab(3).address(), QStringLiteral("kept text"));
}

TEST_F(SetupDialogTest, ATabDraggedOntoRowSevenFillsRowSeven)
{
    strip.select(3);
    EXPECT_TRUE(strip.dragsTabs());
    QMimeData data;
    data.setData(QLatin1String(TabStrip::kTabMime), "3");
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, {});
    QCoreApplication::sendEvent(row(7).startUrlEdit, &enter);
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, {});
    QCoreApplication::sendEvent(row(7).startUrlEdit, &drop);
    EXPECT_EQ(row(7).startUrlEdit->text(), QStringLiteral("http://three.example/"));
    EXPECT_EQ(row(7).tabNameEdit->text(), strip.caption(3));
    EXPECT_FALSE(strip.dragsTabs());
}

// Opening and closing Setup from the window: the refresh pause follows the dialog's life.
class SetupInWindowTest : public ShellFixture {
protected:
    void SetUp() override
    {
        writeProfile({{3, QStringLiteral("http://three.example/")}}, {{1, "PRN"}, {3, "R"}}, 15);
        start();
        window->openSetup();
        dialog = window->setupDialog();
        ASSERT_NE(dialog, nullptr);
    }
    void click(const char *name) { dialog->findChild<QPushButton *>(QLatin1String(name))->click(); }
    SetupDialog *dialog = nullptr;
};

TEST_F(SetupInWindowTest, CancelDiscardsEditsAndAnotherOpeningFillsAfresh)
{
    dialog->row(10).startUrlEdit->setText(QStringLiteral("http://ten.example/"));
    click("cancelButton");
    EXPECT_FALSE(window->timers().pauses().has(RefreshPause::Setup));
    EXPECT_TRUE(session->settings[10].startUrl.isEmpty());
    window->openSetup();
    EXPECT_EQ(window->setupDialog()->row(10).startUrlEdit->text(), QString());
}

TEST_F(SetupInWindowTest, AnActivationArrivingAfterCancelLeavesSetupClosed)
{
    click("cancelButton");
    ASSERT_FALSE(window->timers().pauses().has(RefreshPause::Setup));
    // Late focus events of the window that was just closed, sent and posted as X delivers them.
    QEvent activate(QEvent::WindowActivate);
    QCoreApplication::sendEvent(dialog, &activate);
    QEvent change(QEvent::ActivationChange);
    QCoreApplication::sendEvent(dialog, &change);
    QCoreApplication::postEvent(dialog, new QEvent(QEvent::WindowActivate));
    QCoreApplication::postEvent(dialog, new QEvent(QEvent::ActivationChange));
    QCoreApplication::processEvents();
    EXPECT_FALSE(window->timers().pauses().has(RefreshPause::Setup));
    EXPECT_TRUE(window->timers().refreshTimer().isActive());
    window->commands().onButtonClicked(11);  // Goto Tab
    EXPECT_EQ(prompts.formTitles(), QStringList{"Goto Tab"});
    EXPECT_TRUE(window->close());
    EXPECT_EQ(messageTexts(), QStringList());
}

TEST_F(SetupInWindowTest, ActivationWhileOpenAndAgainAfterOkChangesNothing)
{
    QEvent activate(QEvent::WindowActivate);
    QCoreApplication::sendEvent(dialog, &activate);
    EXPECT_TRUE(window->timers().pauses().has(RefreshPause::Setup));
    click("okButton");
    QCoreApplication::sendEvent(dialog, &activate);
    EXPECT_FALSE(window->timers().pauses().has(RefreshPause::Setup));
}

TEST_F(SetupInWindowTest, DestroyingTheOpenDialogClearsTheFlag)
{
    delete dialog;
    EXPECT_FALSE(window->timers().pauses().has(RefreshPause::Setup));
    EXPECT_TRUE(window->close());
}
