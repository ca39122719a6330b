#include "platform/error_report.h"
#include "platform/scripted_prompts.h"
#include "setup/startup_profile.h"
#include "core/tab_settings.h"
#include "sponsor/sponsor_site.h"
#include "support/temp_home.h"

#include <gtest/gtest.h>

using namespace pelquin;

namespace {

QByteArray tabBlock(const QString &url, const QString &name, const char *pause, const char *refresh,
                    const char *minutes, const char *newBrowser)
{
    return (url + "\r\n" + name + "\r\n").toUtf8() + pause + "\r\n" + refresh + "\r\n" + minutes +
           "\r\n" + newBrowser + "\r\n";
}

QByteArray profileOf(int tabs)
{
    QByteArray bytes;
    for (int t = 1; t <= tabs; ++t)
        bytes += tabBlock(QStringLiteral("http://site%1.example/").arg(t),
                          QStringLiteral("Name %1").arg(t), "-1 ", " 0 ", " 15 ", " 0 ");
    return bytes;
}

struct ProfileTest : ::testing::Test {
    test::TempHome home;
    ScriptedPrompts prompts;
    ErrorReporter errors{prompts};
    SponsorSite sponsor{QStringLiteral("sponsor.example:81")};
    TabSettings settings;

    void readSetup(const QString &name)
    {
        settings.profilePath = home.file(name);
        readStartupProfile(settings, sponsor, errors);
    }
};

}  // namespace

TEST_F(ProfileTest, WriteThenReadGivesTheSameRecords)
{
    for (int t = 1; t <= 30; ++t) {
        settings[t].startUrl = QStringLiteral("http://x%1/").arg(t);
        settings[t].tabName = QStringLiteral("Tab %1 ").arg(t);  // trailing blank kept
        settings[t].pauseWhileLoading = t % 2;
        settings[t].autoRefresh = t % 3 == 0;
        settings[t].refreshMinutes = static_cast<qint16>(t == 5 ? 0 : t);
        settings[t].openNewBrowser = t % 5 == 0;
    }
    writeProfile(home.file("p.set"), settings);
    const QByteArray bytes = home.read("p.set");
    EXPECT_TRUE(bytes.startsWith("http://x1/\r\nTab 1 \r\n-1 \r\n 0 \r\n 1 \r\n 0 \r\n"));
    EXPECT_EQ(bytes.count("\r\n"), 180);
    TabSettings back;
    readProfile(home.file("p.set"), back);
    for (int t = 1; t <= 30; ++t) {
        EXPECT_EQ(back[t].startUrl, settings[t].startUrl);
        EXPECT_EQ(back[t].tabName, settings[t].tabName);
        EXPECT_EQ(back[t].pauseWhileLoading, settings[t].pauseWhileLoading);
        EXPECT_EQ(back[t].autoRefresh, settings[t].autoRefresh);
        EXPECT_EQ(back[t].refreshMinutes, settings[t].refreshMinutes);
        EXPECT_EQ(back[t].openNewBrowser, settings[t].openNewBrowser);
    }
}

TEST_F(ProfileTest, MissingProfileIsSilentAndGivesTheSponsorTabs)
{
    readSetup("Setup.set");
    EXPECT_TRUE(prompts.messages().empty());
    EXPECT_EQ(settings[1].startUrl, QStringLiteral("http://sponsor.example:81/w1.htm"));
    EXPECT_EQ(settings[1].tabName, QStringLiteral("Pelquin"));
    EXPECT_EQ(settings[2].startUrl, QStringLiteral("http://sponsor.example:81/w2.htm"));
    EXPECT_EQ(settings[2].tabName, QStringLiteral("Search"));
    EXPECT_TRUE(settings[3].startUrl.isEmpty());
}

TEST_F(ProfileTest, SponsorValuesReplaceTabsOneAndTwoButTheirFlagsStay)
{
    home.write("Setup.set", profileOf(30));
    readSetup("Setup.set");
    EXPECT_EQ(settings[1].tabName, QStringLiteral("Pelquin"));
    EXPECT_TRUE(settings[1].pauseWhileLoading);
    EXPECT_EQ(settings[2].refreshMinutes, 15);
    EXPECT_EQ(settings[3].startUrl, QStringLiteral("http://site3.example/"));
    EXPECT_TRUE(prompts.messages().empty());
}

TEST_F(ProfileTest, AShortProfileKeepsWhatItReadAndReportsOnce)
{
    QByteArray bytes = profileOf(30);
    const QList<QByteArray> lines = bytes.split('\n');
    home.write("Setup.set", lines.mid(0, 100).join('\n') + '\n');
    settings[17].refreshMinutes = 42;
    settings[20].startUrl = QStringLiteral("kept");
    readSetup("Setup.set");
    ASSERT_EQ(prompts.messages().size(), 1u);
    EXPECT_EQ(prompts.messages()[0].text, QStringLiteral("62 Input past end of file At ReadSetup"));
    EXPECT_EQ(settings[16].openNewBrowser, false);
    EXPECT_EQ(settings[16].refreshMinutes, 15);
    EXPECT_EQ(settings[17].startUrl, QStringLiteral("http://site17.example/"));
    EXPECT_TRUE(settings[17].pauseWhileLoading);
    EXPECT_EQ(settings[17].refreshMinutes, 42);
    EXPECT_EQ(settings[20].startUrl, QStringLiteral("kept"));
    EXPECT_EQ(settings[1].tabName, QStringLiteral("Pelquin"));
}

TEST_F(ProfileTest, FlagsAreTrueOnlyForMinusOneAndLinesWithoutBlanksRead)
{
    home.write("p.set", tabBlock("u", "n", "1", "-1", "7", "yes") + profileOf(29));
    readProfile(home.file("p.set"), settings);
    EXPECT_FALSE(settings[1].pauseWhileLoading);
    EXPECT_TRUE(settings[1].autoRefresh);
    EXPECT_EQ(settings[1].refreshMinutes, 7);
    EXPECT_FALSE(settings[1].openNewBrowser);
}

TEST_F(ProfileTest, AnIntervalBeyondSixteenBitsIsReportedAndStopsTheRead)
{
    home.write("Setup.set", tabBlock("a", "b", "0", "0", "40000", "0") + profileOf(29));
    readSetup("Setup.set");
    ASSERT_EQ(prompts.messages().size(), 1u);
    EXPECT_EQ(prompts.messages()[0].text, QStringLiteral("6 Overflow At ReadSetup"));
    EXPECT_TRUE(settings[2].tabName == QStringLiteral("Search"));
    EXPECT_TRUE(settings[3].startUrl.isEmpty());
}

TEST_F(ProfileTest, BinaryAndHugeProfilesNeverCrash)
{
    QByteArray binary(200000, '\0');
    for (int i = 0; i < binary.size(); ++i)
        binary[i] = static_cast<char>((i * 7919) % 256);
    home.write("bin.set", binary);
    readSetup("bin.set");
    home.write("huge.set", profileOf(30) + QByteArray(8 << 20, 'x'));
    readSetup("huge.set");
    EXPECT_EQ(settings[30].startUrl, QStringLiteral("http://site30.example/"));
}

TEST_F(ProfileTest, TheDialogReadForcesNothingAndReportsAMissingFile)
{
    settings.profilePath = home.file("none.set");
    readProfileForSetup(settings, errors);
    ASSERT_EQ(prompts.messages().size(), 1u);
    EXPECT_EQ(prompts.messages()[0].text, QStringLiteral("53 File not found At readsetupfile"));
    home.write("p.set", profileOf(30));
    settings.profilePath = home.file("p.set");
    readProfileForSetup(settings, errors);
    EXPECT_EQ(settings[1].startUrl, QStringLiteral("http://site1.example/"));
}

TEST(ProfileChoice, TheCommandLineNamesAProfileInTheApplicationFolder)
{
    EXPECT_EQ(chosenProfilePath("/app", QString()), QStringLiteral("/app/Setup.set"));
    EXPECT_EQ(chosenProfilePath("/app", QStringLiteral("  ")), QStringLiteral("/app/Setup.set"));
    EXPECT_EQ(chosenProfilePath("/app", QStringLiteral(" work.set")),
              QStringLiteral("/app/ work.set"));
}
