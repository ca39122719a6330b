#include "app/command_line.h"
#include "core/typed_address.h"

#include "support/temp_home.h"

#include <QDir>

#include <gtest/gtest.h>

using namespace pelquin;
using pelquin::test::TempHome;

class CommandLineTest : public ::testing::Test {
protected:
    CommandLine classify(const QStringList &arguments)
    {
        return classifyArguments(arguments, home.folder(), home.file("cwd"));
    }
    TempHome home;
};

TEST_F(CommandLineTest, HelpAndVersionAreOptions)
{
    EXPECT_TRUE(classify({"--help"}).help);
    EXPECT_TRUE(classify({"-h"}).help);
    EXPECT_TRUE(classify({"--version"}).version);
    EXPECT_TRUE(versionText().startsWith(QStringLiteral("pelquin ")));
    EXPECT_TRUE(usageText().contains(QStringLiteral("PELQUIN_HOME")));
    EXPECT_FALSE(classify({"--frobnicate"}).error.isEmpty());
}

TEST_F(CommandLineTest, AProfileNameWorksAsBefore)
{
    home.write("work.set", "x");
    const CommandLine line = classify({"work.set"});
    EXPECT_EQ(line.profile, QStringLiteral("work.set"));
    EXPECT_TRUE(line.addresses.isEmpty());
    EXPECT_TRUE(line.error.isEmpty());
    // A missing .set profile is still a profile: its tabs stay empty, as before.
    EXPECT_EQ(classify({"missing.set"}).profile, QStringLiteral("missing.set"));
    EXPECT_TRUE(classify({}).profile.isEmpty());
}

TEST_F(CommandLineTest, AddressesAreThoseWithASchemeOrAHostName)
{
    const CommandLine line = classify({"https://example.org/", "example.net/a?b=1",
                                       "localhost:8080", "work.set"});
    EXPECT_EQ(line.addresses,
              (QStringList{"https://example.org/", "example.net/a?b=1", "localhost:8080"}));
    EXPECT_EQ(line.profile, QStringLiteral("work.set"));
}

TEST_F(CommandLineTest, AProfileFileWinsOverAHostName)
{
    home.write("my.profile", "x");
    const CommandLine line = classify({"my.profile"});
    EXPECT_EQ(line.profile, QStringLiteral("my.profile"));
    EXPECT_TRUE(line.addresses.isEmpty());
}

TEST_F(CommandLineTest, AnExistingPageFileIsAnAddressMadeAbsolute)
{
    QDir().mkpath(home.file("cwd"));
    home.write("cwd/page.html", "<p>x</p>");
    const CommandLine line = classify({"page.html"});
    EXPECT_EQ(line.addresses, QStringList{home.file("cwd/page.html")});
    EXPECT_TRUE(line.profile.isEmpty());
}

TEST_F(CommandLineTest, ScriptAddressesAreRefusedAndNeitherGivesAMessage)
{
    const CommandLine line = classify({"javascript:alert(1)", "data:text/html,x"});
    EXPECT_TRUE(line.addresses.isEmpty());
    EXPECT_EQ(line.refused.size(), 2);
    const CommandLine neither = classify({"odd_name.x"});
    EXPECT_TRUE(neither.error.contains(QStringLiteral("odd_name.x")));
    EXPECT_FALSE(mayOpenFromOutside(QStringLiteral("  JavaScript:alert(1)")));
    EXPECT_FALSE(mayOpenFromOutside(QStringLiteral("java\nscript:alert(1)")));
    EXPECT_TRUE(mayOpenFromOutside(QStringLiteral("example.org")));
}

TEST_F(CommandLineTest, RotateTakesSecondsFromFiveToAnHour)
{
    EXPECT_EQ(classify({"--rotate=5"}).rotateSeconds, 5);
    EXPECT_EQ(classify({"--rotate=3600", "work.set"}).rotateSeconds, 3600);
    EXPECT_TRUE(classify({"--rotate=30"}).error.isEmpty());
    for (const char *bad : {"--rotate=3", "--rotate=3601", "--rotate=ten", "--rotate=",
                            "--rotate", "--rotate=-5", "--rotate=5.5"}) {
        const CommandLine line = classify({QString::fromLatin1(bad)});
        EXPECT_EQ(line.rotateSeconds, 0) << bad;
        EXPECT_TRUE(line.error.contains(QStringLiteral("from 5 to 3600"))) << bad;
    }
    EXPECT_TRUE(usageText().contains(QStringLiteral("--rotate=SECONDS")));
}

TEST_F(CommandLineTest, WordsThatNameNoProfileAreSearchedFor)
{
    const CommandLine words = classify({"cheap", "flights"});
    EXPECT_EQ(words.addresses, QStringList{"cheap flights"});
    EXPECT_TRUE(words.profile.isEmpty());
    EXPECT_TRUE(words.error.isEmpty());
    home.write("work", "");  // a profile of that name wins
    EXPECT_EQ(classify({"work"}).profile, QStringLiteral("work"));
    EXPECT_EQ(classify({"missing.set"}).profile, QStringLiteral("missing.set"));
}

TEST_F(CommandLineTest, PrivateIsAnOptionThatLeavesTheRestAsItIs)
{
    const CommandLine line = classify({"--private", "example.org"});
    EXPECT_TRUE(line.privateRun);
    EXPECT_EQ(line.addresses, QStringList{"example.org"});
    EXPECT_FALSE(classify({"example.org"}).privateRun);
    EXPECT_TRUE(usageText().contains(QStringLiteral("--private")));
}
