#include "tabs/tab_collection.h"
#include "core/address_history.h"
#include "platform/basic_text.h"
#include "platform/single_instance.h"
#include "platform/text_file.h"
#include "shell/display_modes.h"
#include "core/history_saver.h"
#include "commands/speed_menu.h"
#include "app/single_instance_start.h"
#include "shell/window_layout.h"
#include "support/shell_fixture.h"
#include "shell/button_bar.h"
#include "tabs/tab_strip.h"
#include "tabs/timers.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileInfo>

using namespace pelquin;
using pelquin::test::ShellFixture;

using StartupShutdown = ShellFixture;

TEST_F(StartupShutdown, SponsorTabsStartAndAreNamedWhenLoaded)
{
    start();
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Pelquin 2000 Browser"));
    EXPECT_EQ(window->tabStrip().count(), 30);
    EXPECT_EQ(browser(1).navigations, QStringList{sponsor.welcomeUrl()});
    EXPECT_EQ(browser(2).navigations, QStringList{sponsor.searchFormUrl()});
    EXPECT_TRUE(browser(3).navigations.isEmpty());
    EXPECT_TRUE(prompts.messages().empty());

    browser(1).load(sponsor.welcomeUrl());
    EXPECT_EQ(window->tabStrip().caption(1), QStringLiteral("Pelquin"));
    EXPECT_EQ(window->tabStrip().picture(1), TabPicture::World);
    EXPECT_EQ(window->tabStrip().toolTip(1), QStringLiteral("Tab 1:") + sponsor.welcomeUrl());
    EXPECT_EQ(window->tabs().tab(1).address(), sponsor.welcomeUrl());
    browser(2).load(sponsor.url(QStringLiteral("/sc?q=x")));
    EXPECT_EQ(window->tabStrip().caption(2), QStringLiteral("Search"));
    EXPECT_FALSE(session->tabs.startupDone);  // tabs without a start address never start
}

TEST_F(StartupShutdown, AMissingHistoryIsEmptyAndStartUpGoesOn)
{
    QFile::remove(home.file("Requests.Dat"));
    start();
    EXPECT_TRUE(prompts.messages().empty());
    EXPECT_EQ(session->history.size(), 0);
    EXPECT_EQ(browser(1).navigations.size(), 1);
}

TEST_F(StartupShutdown, HistoryFillsEveryDropdownFromOneList)
{
    writeTextFile(home.file("Requests.Dat"), {"a.example", "b.example", "c,d"});
    start();
    for (int t : {1, 17, 30}) {
        QComboBox *combo = &window->tabs().tab(t).addressBox();
        ASSERT_EQ(combo->count(), 4);
        EXPECT_EQ(combo->itemText(3), QStringLiteral("d"));
        EXPECT_EQ(combo->model(), session->history.model());
    }
}

TEST_F(StartupShutdown, FiftyOneEntriesAskToLimitTheHistory)
{
    QStringList many;
    for (int i = 0; i < 60; ++i)
        many << QStringLiteral("site%1.example").arg(i);
    writeTextFile(home.file("Requests.Dat"), many);
    prompts.answer(true);
    start();
    ASSERT_EQ(prompts.questions().size(), 1u);
    EXPECT_EQ(prompts.questions()[0].title, QStringLiteral("Limit # of dropdown entries?"));
    EXPECT_EQ(session->history.size(), 50);
}

TEST_F(StartupShutdown, ClosingWritesHistoryPlacementAndBarsAndTheNextStartRestoresThem)
{
    writeTextFile(home.file("Requests.Dat"), {"one.example"});
    start();
    session->history.append(QStringLiteral("two.example,with comma"));
    window->displayModes().toggleButtonBar();
    window->displayModes().toggleStatusBar();
    restart();
    EXPECT_EQ(home.read("Requests.Dat"),
              QByteArray("one.example\r\n\"two.example,with comma\"\r\n"));
    SettingsStore stored(home.settingsPath());
    EXPECT_EQ(stored.value(setting::Toolbar), QStringLiteral("1"));
    EXPECT_EQ(stored.value(setting::Address), QStringLiteral("0"));
    EXPECT_EQ(stored.value(setting::Status), QStringLiteral("1"));
    EXPECT_FALSE(stored.value(setting::Width).isEmpty());

    start();
    EXPECT_TRUE(window->buttons().isHidden());
    EXPECT_TRUE(window->windowLayout().bars().buttonsHidden);
    EXPECT_TRUE(window->windowLayout().bars().statusHidden);
    EXPECT_EQ(session->history.requests(),
              (QStringList{"one.example", "two.example,with comma"}));
}

TEST_F(StartupShutdown, APrivateRunWritesNeitherHistoryNorPlacementAndSaysSo)
{
    writeTextFile(home.file("Requests.Dat"), {"one.example"});
    const auto settingsText = [&] {
        QFile file(home.settingsPath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    };
    const QByteArray settingsBefore = settingsText();
    privateRun = true;
    start();
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Pelquin 2000 Browser (private)"));
    session->history.append(QStringLiteral("secret.example"));
    window->displayModes().toggleButtonBar();
    clock.advance(60);
    window->historySaver().tick();
    restart();
    EXPECT_EQ(home.read("Requests.Dat"), QByteArray("one.example\r\n"));
    EXPECT_EQ(settingsText(), settingsBefore);
}

TEST_F(StartupShutdown, AStoredNormalPlacementIsRestored)
{
    {
        SettingsStore s(home.settingsPath());
        s.setValue(setting::WindowState, QStringLiteral("0"));
        s.setValue(setting::Left, QStringLiteral("1500"));
        s.setValue(setting::Top, QStringLiteral("750"));
        s.setValue(setting::Width, QStringLiteral("12000"));
        s.setValue(setting::Height, QStringLiteral("9000"));
    }
    start();
    EXPECT_FALSE(window->isMaximized());
    EXPECT_EQ(window->frameGeometry().size(), QSize(800, 600));
}

TEST_F(StartupShutdown, ABadStoredValueIsReportedAtDoSetup)
{
    SettingsStore(home.settingsPath()).setValue(setting::Top, QStringLiteral("high"));
    start();
    EXPECT_TRUE(messageTexts().contains(QStringLiteral("13 Type mismatch At DoSetup")));
}

TEST_F(StartupShutdown, CloseIsRefusedWhileSetupIsOpen)
{
    start();
    window->timers().pause(RefreshPause::Setup);
    QFile::remove(home.file("Requests.Dat"));
    EXPECT_FALSE(window->close());
    ASSERT_EQ(prompts.messages().size(), 1u);
    EXPECT_EQ(prompts.messages()[0].title, QStringLiteral("Close Setup"));
    EXPECT_EQ(prompts.messages()[0].text, QStringLiteral("Close Setup Window First"));
    EXPECT_FALSE(QFile::exists(home.file("Requests.Dat")));
}

TEST_F(StartupShutdown, TerminationStillWritesTheHistory)
{
    start();
    window->timers().pause(RefreshPause::Setup);
    session->history.append(QStringLiteral("typed.example"));
    window->closeFor(CloseReason::Terminated);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(home.read("Requests.Dat"), QByteArray("typed.example\r\n"));
}

TEST_F(StartupShutdown, HelpAtStartIsShownAndOkWritesTheBox)
{
    writeTextFile(home.file("STD.DAT"), {printNumber(1), printNumber(5), QStringLiteral("junk")});
    prompts.onNextForm([](QDialog &dialog) {
        dialog.findChild<QCheckBox *>(QStringLiteral("showAtStartCheck"))->setChecked(false);
        dialog.findChild<QAbstractButton *>(QStringLiteral("okButton"))->click();
        return dialog.result();
    });
    start();
    EXPECT_EQ(prompts.formTitles(), QStringList{"Help"});
    EXPECT_FALSE(window->timers().pauses().has(RefreshPause::Help));
    EXPECT_TRUE(window->activated());
    EXPECT_TRUE(window->timers().refreshTimer().isActive());
    EXPECT_EQ(home.read("STD.DAT"), QByteArray(" 0 \r\n 5 \r\n\r\n"));
}

TEST_F(StartupShutdown, HelpClosedWithoutOkKeepsTheFileAndTheTimerStopsWhileOpen)
{
    start();
    const QByteArray before = home.read("STD.DAT");
    bool timerWhileOpen = true;
    prompts.onNextForm([&](QDialog &dialog) {
        timerWhileOpen = window->timers().refreshTimer().isActive() || !window->timers().pauses().has(RefreshPause::Help);
        dialog.reject();
        return int(QDialog::Rejected);
    });
    window->showHelp();
    EXPECT_FALSE(timerWhileOpen);
    EXPECT_TRUE(window->timers().refreshTimer().isActive());
    EXPECT_EQ(home.read("STD.DAT"), before);
}

TEST_F(StartupShutdown, ASecondInstanceOnTheSameFolderIsRefused)
{
    Session first;
    first.appFolder = home.folder();
    SingleInstance holder(home.folder());
    ASSERT_EQ(holder.acquire(), SingleInstance::Result::Acquired);
    Session second;
    second.appFolder = home.folder();
    SingleInstance other(home.folder());
    EXPECT_FALSE(startSingleInstance(second, other, prompts, errors));
    ASSERT_EQ(prompts.messages().size(), 1u);
    EXPECT_EQ(prompts.messages()[0].text,
              QStringLiteral("Another instance of this program is running. "
                             "This program will terminate now."));
}

TEST_F(StartupShutdown, AMissingNoticeFileEndsTheStartWithItsError)
{
    QFile::remove(home.file("STD.DAT"));
    Session s;
    s.appFolder = home.folder();
    SingleInstance instance(home.folder());
    EXPECT_FALSE(startSingleInstance(s, instance, prompts, errors));
    EXPECT_EQ(messageTexts(), QStringList{"53 File not found At SubMain"});
}

TEST_F(StartupShutdown, TerminationWhileTheLimitQuestionIsOpenKeepsTheHistoryFile)
{
    QStringList many;
    for (int i = 0; i < 60; ++i)
        many << QStringLiteral("site%1.example").arg(i);
    writeTextFile(home.file("Requests.Dat"), many);
    const QByteArray before = home.read("Requests.Dat");
    prompts.onNextQuestion([this] {
        window->closeFor(CloseReason::Terminated);
        return false;
    });
    start();
    EXPECT_EQ(home.read("Requests.Dat"), before);
}

TEST_F(StartupShutdown, AHistoryThatCouldNotBeReadIsNotOverwritten)
{
    QFile::remove(home.file("Requests.Dat"));
    QDir(home.folder()).mkdir(QStringLiteral("Requests.Dat"));
    start();
    session->history.append(QStringLiteral("typed.example"));
    restart();
    EXPECT_TRUE(QFileInfo(home.file("Requests.Dat")).isDir());
}

TEST_F(StartupShutdown, EntriesBeyondTheLoadedOnesStayInTheFile)
{
    QByteArray bytes;
    for (int i = 0; i < AddressHistory::kMaxEntries + 100; ++i)
        bytes += "site" + QByteArray::number(i) + ".example\r\n";
    home.write("Requests.Dat", bytes);
    start();
    EXPECT_EQ(session->history.size(), AddressHistory::kMaxEntries);
    restart();
    EXPECT_EQ(home.read("Requests.Dat"), bytes);
}

TEST_F(StartupShutdown, AnEntryWithQuotesAndACommaCompletesWholeAfterARestart)
{
    start();
    QString typed = QStringLiteral("x.example/?q=\"a,b\"");
    session->history.addToHistory(typed);
    restart();
    start();
    EXPECT_EQ(session->history.requests(), QStringList{"x.example/?q=\"a,b\""});
    EXPECT_EQ(session->history.firstStartingWith(QStringLiteral("x.ex")), typed);
}

TEST_F(StartupShutdown, AFolderThatCannotBeWrittenIsNamedNotTakenForASecondInstance)
{
    const QString notAFolder = home.file("STD.DAT");
    Session s;
    s.appFolder = notAFolder;
    SingleInstance instance(notAFolder);
    testing::internal::CaptureStderr();
    EXPECT_FALSE(startSingleInstance(s, instance, prompts, errors));
    const std::string err = testing::internal::GetCapturedStderr();
    ASSERT_EQ(prompts.messages().size(), 1u);
    EXPECT_EQ(prompts.messages()[0].text,
              QStringLiteral("The application folder %1 cannot be written. "
                             "This program will terminate now.").arg(notAFolder));
    EXPECT_NE(err.find("cannot be written"), std::string::npos);
}

TEST_F(StartupShutdown, EveryErrorBoxIsAlsoALineOnStandardError)
{
    QFile::remove(home.file("STD.DAT"));
    Session s;
    s.appFolder = home.folder();
    SingleInstance instance(home.folder());
    testing::internal::CaptureStderr();
    EXPECT_FALSE(startSingleInstance(s, instance, prompts, errors));
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "pelquin: error 53 File not found At SubMain\n");
}
