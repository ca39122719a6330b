#include "platform/basic_error.h"
#include "platform/basic_text.h"
#include "core/startup_notice.h"
#include "support/temp_home.h"

#include <gtest/gtest.h>

using namespace pelquin;

namespace {

int readError(const QString &path)
{
    try {
        readStartupNotice(path);
    } catch (const BasicError &e) {
        return e.number();
    }
    return 0;
}

}  // namespace

TEST(StartupNotice, ReadsTheThreeFieldsAndWritesThemBackTheSame)
{
    test::TempHome home;
    const QDateTime day(QDate(2026, 3, 4), QTime(0, 0));
    home.write("STD.DAT", (" 1 \r\n 0 \r\n" + formatDate(day) + "\r\n").toUtf8());
    const StartupNotice notice = readStartupNotice(home.file("STD.DAT"));
    EXPECT_EQ(notice.showHelpAtStart, 1);
    EXPECT_EQ(notice.noticeNumber, 0);
    EXPECT_EQ(notice.noticeDate, day);
    const QByteArray before = home.read("STD.DAT");
    writeStartupNotice(home.file("STD.DAT"), notice);
    EXPECT_EQ(home.read("STD.DAT"), before);
}

TEST(StartupNotice, AThirdFieldThatIsNotADateIsWrittenBackEmpty)
{
    test::TempHome home;
    home.write("STD.DAT", " 0 \r\n-7 \r\nsoon\r\n");
    const StartupNotice notice = readStartupNotice(home.file("STD.DAT"));
    EXPECT_EQ(notice.noticeNumber, -7);
    EXPECT_FALSE(notice.noticeDate.has_value());
    writeStartupNotice(home.file("STD.DAT"), notice);
    EXPECT_EQ(home.read("STD.DAT"), QByteArray(" 0 \r\n-7 \r\n\r\n"));
}

TEST(StartupNotice, DamagedFilesGiveTheirErrorsOrSkipTheBadField)
{
    test::TempHome home;
    EXPECT_EQ(readError(home.file("STD.DAT")), err::FileNotFound);
    home.write("STD.DAT", " 1 \r\n");
    EXPECT_EQ(readError(home.file("STD.DAT")), err::InputPastEnd);
    home.write("STD.DAT", "");
    EXPECT_EQ(readError(home.file("STD.DAT")), err::InputPastEnd);
    home.write("STD.DAT", "99999\r\n0\r\n\r\n");
    EXPECT_EQ(readError(home.file("STD.DAT")), err::Overflow);
    home.write("STD.DAT", "yes\r\n 3 \r\n\r\n");
    const StartupNotice notice = readStartupNotice(home.file("STD.DAT"));
    EXPECT_EQ(notice.showHelpAtStart, 0);
    EXPECT_EQ(notice.noticeNumber, 3);
    home.write("STD.DAT", QByteArray("\x01\xff\x00\x10,\x80\r\n", 7));
    EXPECT_EQ(readError(home.file("STD.DAT")), err::InputPastEnd);
}
