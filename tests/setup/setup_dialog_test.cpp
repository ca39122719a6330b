#include "tabs/tab_collection.h"
#include "platform/basic_text.h"
#include "platform/text_file.h"
#include "setup/setup_dialog.h"
#include "commands/commands.h"
#include "support/shell_fixture.h"
#include "tabs/staged_loading.h"
#include "tabs/tab_strip.h"
#include "tabs/timers.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QTest>

using namespace pelquin;
using pelquin::test::ShellFixture;

class SetupDialogTest : public ShellFixture {
protected:
    void SetUp() override
    {
        writeProfile({{3, QStringLiteral("http://three.example/")}}, {{1, "PRN"}, {3, "R"}}, 15);
        start();
        browser(3).load(QStringLiteral("http://three.example/"));
        window->openSetup();
        dialog = window->setupDialog();
        ASSERT_NE(dialog, nullptr);
    }
    const SetupRow &row(int i) { return dialog->row(i); }
    void click(const char *name) { dialog->findChild<QPushButton *>(QLatin1String(name))->click(); }
    QStringList profileLines(const QString &name)
    {
        return QString::fromUtf8(home.read(name)).split(QStringLiteral("\r\n"));
    }
    SetupDialog *dialog = nullptr;
};

TEST_F(SetupDialogTest, OpeningShowsTheSponsorRowsGreyedWithClearedBoxes)
{
    EXPECT_TRUE(window->timers().pauses().has(RefreshPause::Setup));
    EXPECT_FALSE(window->timers().refreshTimer().isActive());
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
    const QString captionBefore = window->tabStrip().caption(3);
    click("okButton");
    const QStringList lines = profileLines("Setup.set");
    EXPECT_EQ(lines.mid(0, 6), (QStringList{sponsor.welcomeUrl(), "Pelquin", " 0 ", " 0 ",
                                            " 0 ", " 0 "}));
    EXPECT_EQ(lines.mid(12, 6), (QStringList{"http://three.example/", "Name3", " 0 ", "-1 ",
                                             " 15 ", " 0 "}));
    EXPECT_EQ(window->tabStrip().caption(3), captionBefore);
    EXPECT_FALSE(window->timers().pauses().has(RefreshPause::Setup));
    EXPECT_TRUE(window->timers().refreshTimer().isActive());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(window->setupDialog(), nullptr);
}

TEST_F(SetupDialogTest, AChangedAddressNamesTheTabAtOnceAndTheStagedLoadingLoadsIt)
{
    row(5).startUrlEdit->setText(QStringLiteral("http://five.example/"));
    row(5).tabNameEdit->setText(QStringLiteral("Five"));
    click("okButton");
    EXPECT_EQ(window->tabStrip().caption(5), QStringLiteral("Five"));
    EXPECT_FALSE(session->tabs.startupDone);
    window->timers().onRefreshTick();
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
    EXPECT_TRUE(window->timers().restartTimer().isActive());
    window->timers().onRestartTick();
    EXPECT_EQ(browser(4).navigations, QStringList{"http://four.example/"});
    EXPECT_TRUE(session->settings.loadedForSetup);
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
    EXPECT_FALSE(session->settings.loadedForSetup);
}

TEST_F(SetupDialogTest, SaveWritesANewFileAndTheNextOkWritesTheDefaultProfile)
{
    row(7).tabNameEdit->setText(QStringLiteral("Seven"));
    prompts.chooseFile(home.file("mine"));
    click("saveButton");
    EXPECT_EQ(profileLines("mine.set").at(37), QStringLiteral("Seven"));
    EXPECT_EQ(session->settings[7].tabName, QStringLiteral("Seven"));
    EXPECT_EQ(session->settings.profilePath, home.file("Setup.set"));
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
    session->history.setRequests({QStringLiteral("a.example"), QStringLiteral("b.example")});
    window->tabs().tab(3).setAddress(QStringLiteral("kept text"));
    prompts.answer(false);
    click("eraseHistoryButton");
    EXPECT_EQ(session->history.size(), 2);
    prompts.answer(true);
    click("eraseHistoryButton");
    EXPECT_EQ(session->history.size(), 0);
    EXPECT_EQ(window->tabs().tab(3).addressBox().count(), 0);
    EXPECT_EQ(window->tabs().tab(3).address(), QStringLiteral("kept text"));
}

TEST_F(SetupDialogTest, ATabDraggedOntoRowSevenFillsRowSeven)
{
    window->tabStrip().select(3);
    EXPECT_TRUE(window->tabStrip().dragsTabs());
    QMimeData data;
    data.setData(QLatin1String(TabStrip::kTabMime), "3");
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, {});
    QCoreApplication::sendEvent(row(7).startUrlEdit, &enter);
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, {});
    QCoreApplication::sendEvent(row(7).startUrlEdit, &drop);
    EXPECT_EQ(row(7).startUrlEdit->text(), QStringLiteral("http://three.example/"));
    EXPECT_EQ(row(7).tabNameEdit->text(), window->tabStrip().caption(3));
    EXPECT_FALSE(window->tabStrip().dragsTabs());
}

TEST_F(SetupDialogTest, CancelDiscardsEditsAndAnotherOpeningFillsAfresh)
{
    row(10).startUrlEdit->setText(QStringLiteral("http://ten.example/"));
    click("cancelButton");
    EXPECT_FALSE(window->timers().pauses().has(RefreshPause::Setup));
    EXPECT_TRUE(session->settings[10].startUrl.isEmpty());
    window->openSetup();
    EXPECT_EQ(window->setupDialog()->row(10).startUrlEdit->text(), QString());
}

TEST_F(SetupDialogTest, AnActivationArrivingAfterCancelLeavesSetupClosed)
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

TEST_F(SetupDialogTest, ActivationWhileOpenAndAgainAfterOkChangesNothing)
{
    QEvent activate(QEvent::WindowActivate);
    QCoreApplication::sendEvent(dialog, &activate);
    EXPECT_TRUE(window->timers().pauses().has(RefreshPause::Setup));
    click("okButton");
    QCoreApplication::sendEvent(dialog, &activate);
    EXPECT_FALSE(window->timers().pauses().has(RefreshPause::Setup));
}

TEST_F(SetupDialogTest, DestroyingTheOpenDialogClearsTheFlag)
{
    delete dialog;
    EXPECT_FALSE(window->timers().pauses().has(RefreshPause::Setup));
    EXPECT_TRUE(window->close());
}
