#include "desktop/mail_client.h"
#include "desktop/system_probes.h"
#include "support/temp_home.h"

#include <gtest/gtest.h>

using namespace pelquin;

TEST(FileVersion, ADepFileGivesTheNumbersAfterItsVersionKeyInAnyCase)
{
    test::TempHome home;
    home.write("engine.DEP", "[Info]\r\nName=x\r\nvERSION=5.50.4134.600\r\nVersion=9.9\r\n");
    EXPECT_EQ(fileVersion(home.file("engine.DEP")), QStringLiteral("5.50.4134.600"));
    home.write("short.dep", "Version=4.72\r\n");
    EXPECT_EQ(fileVersion(home.file("short.dep")), QStringLiteral("4.72.0.0"));
    home.write("none.dep", "nothing here\r\n");
    EXPECT_EQ(fileVersion(home.file("none.dep")), QString());
    home.write("other.txt", "Version=1.2.3.4\r\n");
    EXPECT_EQ(fileVersion(home.file("other.txt")), QString());
    EXPECT_EQ(parseVersionText(QStringLiteral("7")), QStringLiteral("7.0.0.0"));
    EXPECT_EQ(parseVersionText(QStringLiteral("x.2b.40000")), QStringLiteral("0.2.-25536.0"));
}

TEST(SystemUserTest, TheNameIsKeptInUpperCase)
{
    EXPECT_EQ(SystemUser(QStringLiteral("alice")).loginName(), QStringLiteral("ALICE"));
    EXPECT_EQ(SystemUser(QString()).loginName(), QStringLiteral("&DEFAULT&"));
    EXPECT_FALSE(SystemUser().loginName().isEmpty());
}

TEST(MailClient, TheDefaultHandlersCommandIsGivenByProgramName)
{
    test::TempHome home;
    home.write("mail.desktop", "[Desktop Entry]\nName=Mail\nExec=/usr/bin/thunder-mail -compose %u\n"
                               "[Desktop Action New]\nExec=/usr/bin/other\n");
    const MailLookup lookup{[] { return QStringLiteral("mail.desktop"); }, {home.folder()}};
    EXPECT_EQ(mailClientCommand(lookup), QStringLiteral("thunder-mail -compose"));
    const MailLookup none{[] { return QString(); }, {home.folder()}};
    EXPECT_EQ(mailClientCommand(none), QString());
    const MailLookup missing{[] { return QStringLiteral("gone.desktop"); }, {home.folder()}};
    EXPECT_EQ(mailClientCommand(missing), QString());
    EXPECT_EQ(execCommand(QStringLiteral("[Desktop Entry]\nExec=\"/opt/My Mail/mm\" %U")),
              QStringLiteral("mm"));
}
