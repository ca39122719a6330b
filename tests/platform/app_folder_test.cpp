#include "platform/app_folder.h"
#include "platform/basic_error.h"
#include "platform/settings_store.h"
#include "core/startup_notice.h"
#include "support/temp_home.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

using namespace pelquin;

TEST(AppFolder, TheFirstStartInstallsTheDefaults)
{
    test::TempHome home;
    const QString folder = home.folder() + QStringLiteral("/fresh");
    ASSERT_TRUE(installAppFolder(folder, QDate(2026, 12, 6)));
    const StartupNotice notice = readStartupNotice(folder + QStringLiteral("/STD.DAT"));
    EXPECT_EQ(notice.showHelpAtStart, 1);
    EXPECT_EQ(notice.noticeNumber, 0);
    EXPECT_EQ(notice.noticeDate, QDateTime(QDate(2026, 12, 6), QTime(0, 0)));
    EXPECT_EQ(QFile(folder + QStringLiteral("/Requests.Dat")).size(), 0);
    EXPECT_TRUE(QDir(folder + QStringLiteral("/Favorites")).exists());
    EXPECT_TRUE(QDir(folder + QStringLiteral("/History")).exists());
}

TEST(AppFolder, AnExistingFolderIsNeverTouched)
{
    test::TempHome home;
    ASSERT_TRUE(installAppFolder(home.folder(), QDate(2026, 12, 6)));
    EXPECT_FALSE(QFile::exists(home.file("STD.DAT")));
    EXPECT_FALSE(QDir(home.file("Favorites")).exists());
}

TEST(AppFolder, TheEnvironmentNamesTheFolder)
{
    qputenv("PELQUIN_HOME", "/tmp/some/where/../pelquin-home");
    EXPECT_EQ(resolveAppFolder(), QStringLiteral("/tmp/some/pelquin-home"));
    qunsetenv("PELQUIN_HOME");
    EXPECT_TRUE(resolveAppFolder().endsWith(QStringLiteral("/pelquin")));
}

TEST(SettingsStore, AbsentValuesGiveTheirDefaultsAndTextIsConvertedLikeBasic)
{
    test::TempHome home;
    SettingsStore store(home.settingsPath());
    EXPECT_EQ(store.value(setting::WindowState), QStringLiteral("2"));
    EXPECT_EQ(store.number(setting::Width), 9600);
    EXPECT_EQ(store.number(setting::Height), 7005);
    store.setValue(setting::Top, QStringLiteral(" 1500.5 "));
    EXPECT_EQ(store.number(setting::Top), 1500);
    store.setValue(setting::Left, QStringLiteral("left"));
    EXPECT_THROW(store.number(setting::Left), BasicError);
    store.sync();
    EXPECT_EQ(SettingsStore(home.settingsPath()).value(setting::Top), QStringLiteral(" 1500.5 "));
}
