#include "app/command_line.h"
#include "app/remote_command.h"

#include "support/temp_home.h"

#include <QDir>

#include <gtest/gtest.h>

using namespace pelquin;
using pelquin::test::TempHome;
using Kind = RemoteCommand::Kind;

class RemoteCommandTest : public ::testing::Test {
protected:
    RemoteCommand parse(const QStringList &arguments)
    {
        return parseRemoteCommand(arguments, home.file("cwd"));
    }
    // What the running program makes of what this side sends.
    RemoteCommand received(const RemoteCommand &sent)
    {
        return parseRemoteCommand(sent.words(), QString());
    }
    TempHome home;
};

TEST_F(RemoteCommandTest, EachCommandIsReadWithItsArguments)
{
    EXPECT_EQ(parse({"--status"}).kind, Kind::Status);
    const RemoteCommand load = parse({"--tab", "7", "https://example.org/cam"});
    EXPECT_TRUE(load.error.isEmpty());
    EXPECT_EQ(load.kind, Kind::LoadTab);
    EXPECT_EQ(load.tab, 7);
    EXPECT_EQ(load.address, QStringLiteral("https://example.org/cam"));
    const RemoteCommand select = parse({"--select", "30"});
    EXPECT_EQ(select.kind, Kind::Select);
    EXPECT_EQ(select.tab, 30);
    EXPECT_EQ(parse({"--refresh", "3"}).tab, 3);
    const RemoteCommand all = parse({"--refresh", "all"});
    EXPECT_TRUE(all.error.isEmpty());
    EXPECT_EQ(all.tab, 0);
}

TEST_F(RemoteCommandTest, ShowNeedsItsSecondsInEitherOrder)
{
    for (const QStringList &arguments :
         {QStringList{"--show", "http://door.lan/cam", "--for", "20"},
          QStringList{"--for", "20", "--show", "http://door.lan/cam"}}) {
        const RemoteCommand show = parse(arguments);
        EXPECT_TRUE(show.error.isEmpty()) << show.error.toStdString();
        EXPECT_EQ(show.kind, Kind::Show);
        EXPECT_EQ(show.address, QStringLiteral("http://door.lan/cam"));
        EXPECT_EQ(show.seconds, 20);
    }
    EXPECT_TRUE(parse({"--show", "http://door.lan/cam"}).error.contains("--for"));
    EXPECT_TRUE(parse({"--show", "http://door.lan/cam", "--for"}).error.contains("--for"));
    EXPECT_TRUE(parse({"--for", "20"}).error.contains("--for"));
    for (const char *bad : {"0", "3601", "ten", "-5", "2.5", ""})
        EXPECT_TRUE(
            parse({"--show", "http://door.lan/", "--for", bad}).error.contains("1 to 3600"))
            << bad;
    EXPECT_FALSE(parse({"--show", "--for", "http://door.lan/", "20"}).error.isEmpty());
}

TEST_F(RemoteCommandTest, TabNumbersRunFromOneToThirty)
{
    for (const char *bad : {"0", "31", "-1", "x", "", "1.5", " 3", "007000"}) {
        const RemoteCommand command = parse({"--select", bad});
        EXPECT_TRUE(command.error.contains("from 1 to 30")) << bad;
        EXPECT_TRUE(parse({"--tab", bad, "example.org"}).error.contains("from 1 to 30")) << bad;
        EXPECT_TRUE(parse({"--picture", bad, "/tmp/p.png"}).error.contains("from 1 to 30"))
            << bad;
    }
    EXPECT_FALSE(parse({"--select", "all"}).error.isEmpty());
    EXPECT_FALSE(parse({"--tab", "all", "example.org"}).error.isEmpty());
}

TEST_F(RemoteCommandTest, OnlyWebAddressesAndLocalPagesAreOpened)
{
    for (const char *bad : {"javascript:alert(1)", "data:text/html,x", "cheap flights",
                            "word", "  ", "view-source:http://example.org/"}) {
        EXPECT_TRUE(parse({"--tab", "3", bad}).error.contains("only web addresses")) << bad;
        EXPECT_TRUE(parse({"--show", bad, "--for", "5"}).error.contains("only web addresses"))
            << bad;
    }
    EXPECT_EQ(parse({"--tab", "3", "example.org"}).address, QStringLiteral("example.org"));
    EXPECT_EQ(parse({"--tab", "3", "localhost:8080"}).address, QStringLiteral("localhost:8080"));
    QDir().mkpath(home.file("cwd"));
    home.write("cwd/board.html", "<p>x</p>");
    EXPECT_EQ(parse({"--tab", "3", "board.html"}).address, home.file("cwd/board.html"));
}

TEST_F(RemoteCommandTest, APictureGoesToAPngFileNamedFromTheCallersFolder)
{
    const RemoteCommand picture = parse({"--picture", "4", "shots/tab4.png"});
    EXPECT_TRUE(picture.error.isEmpty());
    EXPECT_EQ(picture.tab, 4);
    EXPECT_EQ(picture.file, home.file("cwd/shots/tab4.png"));
    EXPECT_FALSE(parse({"--picture", "4", "tab4.jpg"}).error.isEmpty());
    EXPECT_FALSE(parse({"--picture", "4"}).error.isEmpty());
    // The running program takes only whole paths: it has a working folder of its own.
    EXPECT_FALSE(parseRemoteCommand({"--picture", "4", "tab4.png"}, QString()).error.isEmpty());
    EXPECT_EQ(received(picture).file, picture.file);
}

TEST_F(RemoteCommandTest, ACommandStandsAloneWithNothingBesideIt)
{
    EXPECT_FALSE(parse({"--status", "example.org"}).error.isEmpty());
    EXPECT_FALSE(parse({"--select", "3", "--select", "4"}).error.isEmpty());
    EXPECT_FALSE(parse({"--tab", "3"}).error.isEmpty());
    EXPECT_FALSE(parse({"--refresh"}).error.isEmpty());
    EXPECT_FALSE(parse({"--frobnicate"}).error.isEmpty());
    EXPECT_FALSE(parse({}).error.isEmpty());
}

TEST_F(RemoteCommandTest, WhatIsSentReadsBackAsTheSameCommand)
{
    QDir().mkpath(home.file("cwd"));
    home.write("cwd/board.html", "<p>x</p>");
    for (const QStringList &arguments :
         {QStringList{"--status"}, QStringList{"--tab", "3", "board.html"},
          QStringList{"--select", "2"}, QStringList{"--refresh", "all"},
          QStringList{"--for", "9", "--show", "example.org/cam"},
          QStringList{"--picture", "12", "p.png"}}) {
        const RemoteCommand sent = parse(arguments);
        ASSERT_TRUE(sent.error.isEmpty()) << arguments.join(' ').toStdString();
        const RemoteCommand back = received(sent);
        EXPECT_TRUE(back.error.isEmpty()) << back.error.toStdString();
        EXPECT_EQ(back.words(), sent.words());
    }
}

TEST_F(RemoteCommandTest, TheCommandLineHandsTheseOptionsOnAndListsThem)
{
    const CommandLine line = classifyArguments({"--select", "5"}, home.folder(), home.file("cwd"));
    ASSERT_TRUE(line.remote.has_value());
    EXPECT_EQ(line.remote->tab, 5);
    EXPECT_TRUE(line.error.isEmpty());
    const CommandLine bad = classifyArguments({"--select", "50"}, home.folder(), home.file("cwd"));
    EXPECT_TRUE(bad.error.contains("from 1 to 30"));
    EXPECT_FALSE(classifyArguments({"example.org"}, home.folder(), home.file("cwd")).remote);
    for (const char *option : {"--status", "--tab N ADDRESS", "--select N", "--refresh N",
                               "--show ADDRESS --for SECONDS", "--picture N FILE.png"})
        EXPECT_TRUE(usageText().contains(QString::fromLatin1(option))) << option;
}
