#include "address/address_history.h"
#include "platform/basic_error.h"
#include "support/temp_home.h"

#include <gtest/gtest.h>

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
    EXPECT_EQ(history.requestcount(), 3);
    EXPECT_EQ(history.request(3), QStringLiteral("c"));
    QStringList full;
    for (int i = 0; i < AddressHistory::kMaxEntries; ++i)
        full << QString::number(i);
    history.setRequests(full);
    history.append("one more");
    EXPECT_EQ(history.requestcount(), AddressHistory::kMaxEntries);
    history.clear();
    EXPECT_EQ(history.model()->rowCount(), 0);
}
