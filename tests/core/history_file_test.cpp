#include "core/address_history.h"
#include "platform/basic_error.h"
#include "platform/text_file.h"
#include "support/temp_home.h"

#include <gtest/gtest.h>

#include <random>

using namespace pelquin;

namespace {

QByteArray linesOf(int count)
{
    QByteArray bytes;
    for (int i = 1; i <= count; ++i)
        bytes += "site" + QByteArray::number(i) + ".example\r\n";
    return bytes;
}

struct Asked {
    int times = 0;
    bool answer = false;
    std::function<bool()> fn()
    {
        return [this] {
            ++times;
            return answer;
        };
    }
};

}  // namespace

TEST(HistoryFile, ACommaSplitsALineIntoTwoEntries)
{
    test::TempHome home;
    home.write("Requests.Dat", "a,b\r\n\"c,d\"\r\nplain\r\n");
    Asked asked;
    EXPECT_EQ(readHistoryFile(home.file("Requests.Dat"), asked.fn()),
              (QStringList{"a", "b", "c,d", "plain"}));
}

TEST(HistoryFile, AnEntryWithACommaIsQuotedAndReadsBackWhole)
{
    test::TempHome home;
    const QStringList entries{"abc/x", "example.com/?a=1,2", "file:///C:/x.htm"};
    writeHistoryFile(home.file("Requests.Dat"), entries);
    EXPECT_EQ(home.read("Requests.Dat"),
              QByteArray("abc/x\r\n\"example.com/?a=1,2\"\r\nfile:///C:/x.htm\r\n"));
    Asked asked;
    EXPECT_EQ(readHistoryFile(home.file("Requests.Dat"), asked.fn()), entries);
}

TEST(HistoryFile, AnEmptyHistoryIsAnEmptyFile)
{
    test::TempHome home;
    writeHistoryFile(home.file("Requests.Dat"), {});
    EXPECT_TRUE(home.read("Requests.Dat").isEmpty());
}

TEST(HistoryFile, FiftyEntriesLoadWithoutAQuestion)
{
    test::TempHome home;
    home.write("Requests.Dat", linesOf(50));
    Asked asked;
    EXPECT_EQ(readHistoryFile(home.file("Requests.Dat"), asked.fn()).size(), 50);
    EXPECT_EQ(asked.times, 0);
}

TEST(HistoryFile, MoreThanFiftyAskOnceYesKeepsFiftyNoKeepsAll)
{
    test::TempHome home;
    home.write("Requests.Dat", linesOf(51));
    Asked yes{0, true};
    EXPECT_EQ(readHistoryFile(home.file("Requests.Dat"), yes.fn()).size(), 50);
    EXPECT_EQ(yes.times, 1);
    home.write("Requests.Dat", linesOf(120));
    Asked no{0, false};
    EXPECT_EQ(readHistoryFile(home.file("Requests.Dat"), no.fn()).size(), 120);
    EXPECT_EQ(no.times, 1);
}

TEST(HistoryFile, TheListStopsAtItsLimit)
{
    test::TempHome home;
    home.write("Requests.Dat", linesOf(AddressHistory::kMaxEntries));
    Asked asked;
    EXPECT_EQ(readHistoryFile(home.file("Requests.Dat"), asked.fn()).size(),
              AddressHistory::kMaxEntries);
    home.write("Requests.Dat", linesOf(AddressHistory::kMaxEntries + 500));
    const QStringList read = readHistoryFile(home.file("Requests.Dat"), asked.fn());
    EXPECT_EQ(read.size(), AddressHistory::kMaxEntries);
    EXPECT_EQ(read.last(), QStringLiteral("site32767.example"));
}

TEST(HistoryFile, EmptyLinesAreSkippedAndAMissingFileRaises)
{
    test::TempHome home;
    home.write("Requests.Dat", "\r\none\r\n\r\n  \r\ntwo");
    Asked asked;
    EXPECT_EQ(readHistoryFile(home.file("Requests.Dat"), asked.fn()), (QStringList{"one", "two"}));
    try {
        readHistoryFile(home.file("none"), asked.fn());
        FAIL();
    } catch (const BasicError &e) {
        EXPECT_EQ(e.number(), err::FileNotFound);
    }
}

TEST(AddressHistory, OneModelServesEveryDropdownAndStopsGrowingAtTheLimit)
{
    AddressHistory history;
    history.setRequests({"a", "b"});
    history.append("c");
    EXPECT_EQ(history.size(), 3);
    EXPECT_EQ(history.request(3), QStringLiteral("c"));
    QStringList full;
    for (int i = 0; i < AddressHistory::kMaxEntries; ++i)
        full << QString::number(i);
    history.setRequests(full);
    history.append("one more");
    EXPECT_EQ(history.size(), AddressHistory::kMaxEntries);
    history.clear();
    EXPECT_EQ(history.model()->rowCount(), 0);
}

TEST(HistoryFile, QuotesAndCommasReadBackExactly)
{
    test::TempHome home;
    const QStringList entries{"x.example/?q=\"a,b\"", "\"quoted\"", "  blank first", "a,b,c",
                              "tail blanks  ", "say \"\"twice\"\""};
    writeHistoryFile(home.file("Requests.Dat"), entries);
    Asked asked;
    EXPECT_EQ(readHistoryFile(home.file("Requests.Dat"), asked.fn()), entries);
}

TEST(HistoryFile, AnyEntryOfPrintableTextSurvivesTheRoundTrip)
{
    test::TempHome home;
    std::mt19937 random(20261207);
    const QString alphabet = QStringLiteral("ab ,\"'/:?=&%#\\\u00e9\u20ac;\t");
    for (int round = 0; round < 200; ++round) {
        QStringList entries;
        const int count = std::uniform_int_distribution<int>(1, 20)(random);
        for (int e = 0; e < count; ++e) {
            QString entry;
            const int length = std::uniform_int_distribution<int>(1, 24)(random);
            for (int c = 0; c < length; ++c)
                entry += alphabet.at(std::uniform_int_distribution<int>(
                    0, int(alphabet.size()) - 1)(random));
            if (!entry.trimmed().isEmpty())
                entries << entry;
        }
        writeHistoryFile(home.file("Requests.Dat"), entries);
        Asked asked;
        ASSERT_EQ(readHistoryFile(home.file("Requests.Dat"), asked.fn()), entries)
            << "round " << round;
    }
}

TEST(HistoryFile, EveryKindOfLineEndIsAccepted)
{
    test::TempHome home;
    home.write("Requests.Dat", "cr.example\rlf.example\ncrlf.example\r\nlast.example\r");
    Asked asked;
    EXPECT_EQ(readHistoryFile(home.file("Requests.Dat"), asked.fn()),
              (QStringList{"cr.example", "lf.example", "crlf.example", "last.example"}));
}

TEST(HistoryFile, TellsWhetherTheWholeFileWasRead)
{
    test::TempHome home;
    Asked no{0, false};
    bool whole = false;
    home.write("Requests.Dat", linesOf(120));
    readHistoryFile(home.file("Requests.Dat"), no.fn(), &whole);
    EXPECT_TRUE(whole);
    Asked yes{0, true};
    readHistoryFile(home.file("Requests.Dat"), yes.fn(), &whole);
    EXPECT_TRUE(whole) << "keeping fifty is the user's choice";
    home.write("Requests.Dat", linesOf(AddressHistory::kMaxEntries + 1));
    readHistoryFile(home.file("Requests.Dat"), no.fn(), &whole);
    EXPECT_FALSE(whole);
    home.write("Requests.Dat", "short.example\r\n" + QByteArray(LineReader::kMaxLine + 10, 'x'));
    readHistoryFile(home.file("Requests.Dat"), no.fn(), &whole);
    EXPECT_FALSE(whole);
}

TEST(AddressHistory, OnlyAWholeReadOrTheUsersEraseMayRewriteTheFile)
{
    AddressHistory history;
    EXPECT_FALSE(history.mayRewriteFile());
    history.loadFile({"a"}, false);
    history.append("b");
    EXPECT_FALSE(history.mayRewriteFile());
    history.clear();
    EXPECT_TRUE(history.mayRewriteFile());
    history.loadFile({"a"}, true);
    EXPECT_TRUE(history.mayRewriteFile());
}
