#include "platform/basic_error.h"
#include "platform/basic_text.h"
#include "platform/text_file.h"
#include "support/temp_home.h"

#include <QDir>

#include <gtest/gtest.h>

using namespace pelquin;

namespace {

int errorOf(const std::function<void()> &run)
{
    try {
        run();
    } catch (const BasicError &e) {
        return e.number();
    }
    return 0;
}

QStringList allFields(const QString &path)
{
    FieldReader fields(path);
    QStringList out;
    while (!fields.atEnd())
        out << fields.next();
    return out;
}

}  // namespace

TEST(TextFiles, DecodesUtf8AndFallsBackToWindows1252)
{
    EXPECT_EQ(decodeLine(QByteArray("caf\xc3\xa9")), QStringLiteral("caf\u00e9"));
    EXPECT_EQ(decodeLine(QByteArray("caf\xe9 \x80")), QStringLiteral("caf\u00e9 \u20ac"));
}

TEST(TextFiles, WritesCrLfLinesAndReadsBothLineEnds)
{
    test::TempHome home;
    writeTextFile(home.file("a.txt"), {QStringLiteral("one"), QString(), QStringLiteral("\u00e9")});
    EXPECT_EQ(home.read("a.txt"), QByteArray("one\r\n\r\n\xc3\xa9\r\n"));
    home.write("b.txt", "x\ny\r\nz");
    LineReader lines(home.file("b.txt"));
    EXPECT_EQ(lines.next(), QStringLiteral("x"));
    EXPECT_EQ(lines.next(), QStringLiteral("y"));
    EXPECT_EQ(lines.next(), QStringLiteral("z"));
    EXPECT_TRUE(lines.atEnd());
    EXPECT_EQ(errorOf([&] { lines.next(); }), err::InputPastEnd);
}

TEST(TextFiles, MissingFilesAndFoldersRaiseTheirErrors)
{
    test::TempHome home;
    EXPECT_EQ(errorOf([&] { LineReader r(home.file("none")); }), err::FileNotFound);
    EXPECT_EQ(errorOf([&] { LineReader r(home.folder()); }), err::PathFileAccess);
    EXPECT_EQ(errorOf([&] { writeTextFile(home.file("no/such/x"), {}); }), err::PathNotFound);
}

TEST(TextFiles, AFailedWriteLeavesNoHalfWrittenFileBehind)
{
    test::TempHome home;
    writeTextFile(home.file("keep.txt"), {QStringLiteral("old")});
    QDir(home.folder()).mkpath(QStringLiteral("dir.txt"));
    EXPECT_NE(errorOf([&] { writeTextFile(home.file("dir.txt"), {QStringLiteral("new")}); }), 0);
    EXPECT_EQ(QDir(home.folder()).entryList(QDir::Files), QStringList{"keep.txt"});
    EXPECT_EQ(home.read("keep.txt"), QByteArray("old\r\n"));
}

TEST(TextFiles, AVeryLongLineIsCutWithoutTakingTheNextLine)
{
    test::TempHome home;
    home.write("long.txt", QByteArray(3 << 20, 'a') + "\r\nnext\r\n");
    LineReader lines(home.file("long.txt"));
    EXPECT_EQ(lines.next().size(), LineReader::kMaxLine);
    EXPECT_TRUE(lines.damaged());
    EXPECT_EQ(lines.next(), QStringLiteral("next"));
}

TEST(FieldReader, SplitsAtCommasAndHonoursQuotes)
{
    test::TempHome home;
    home.write("f.txt", "a,b\r\n  \"x, y\" , z\r\n\r\n\"open\r\nlast");
    EXPECT_EQ(allFields(home.file("f.txt")),
              (QStringList{"a", "b", "x, y", "z", "", "open", "last"}));
}

TEST(BasicText, PrintsNumbersWithTheirBlanks)
{
    EXPECT_EQ(printNumber(0), QStringLiteral(" 0 "));
    EXPECT_EQ(printNumber(-1), QStringLiteral("-1 "));
    EXPECT_EQ(printNumber(15), QStringLiteral(" 15 "));
}

TEST(BasicText, ReadsNumbersLikeVal)
{
    EXPECT_EQ(basicVal(QStringLiteral(" -1 ")), -1.0);
    EXPECT_EQ(basicVal(QStringLiteral("15 minutes")), 15.0);
    EXPECT_EQ(basicVal(QStringLiteral("abc")), 0.0);
    EXPECT_EQ(basicVal(QString()), 0.0);
    EXPECT_EQ(errorOf([] { strictNumber(QStringLiteral("12x")); }), err::TypeMismatch);
    EXPECT_EQ(strictNumber(QStringLiteral("  ")), 0.0);
}

TEST(BasicText, SixteenBitNumbersRoundHalvesToEvenAndOverflow)
{
    EXPECT_EQ(toInt16(2.5), 2);
    EXPECT_EQ(toInt16(3.5), 4);
    EXPECT_EQ(toInt16(-32768), -32768);
    EXPECT_EQ(errorOf([] { toInt16(32768); }), err::Overflow);
    EXPECT_EQ(errorOf([] { toInt16(basicVal(QStringLiteral("1e400"))); }), err::Overflow);
}

TEST(BasicText, DatesReadBackAsWritten)
{
    const QDateTime day(QDate(2026, 12, 6), QTime(0, 0));
    EXPECT_EQ(parseDate(formatDate(day)), day);
    const QDateTime withTime(QDate(2026, 12, 6), QTime(14, 30, 5));
    EXPECT_EQ(parseDate(formatDate(withTime)), withTime);
    EXPECT_EQ(formatDate(zeroDate()), QString());
    EXPECT_FALSE(parseDate(QStringLiteral("not a date")).has_value());
    EXPECT_EQ(parseDate(QStringLiteral("2020-02-03")), QDateTime(QDate(2020, 2, 3), QTime(0, 0)));
}
