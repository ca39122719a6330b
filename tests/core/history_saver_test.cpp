#include "core/address_history.h"
#include "platform/text_file.h"
#include "core/history_saver.h"
#include "support/shell_fixture.h"

#include <QDir>
#include <QFileInfo>
#include <QStringListModel>

using namespace pelquin;
using pelquin::test::ShellFixture;

TEST(HistorySaver, AChangeIsWrittenOnceAFewSecondsLater)
{
    ManualClock clock;
    int saves = 0;
    HistorySaver saver(clock, [&] { ++saves; return true; });
    QStringListModel history;
    saver.watch(history);
    saver.tick();
    EXPECT_EQ(saves, 0);  // nothing changed

    history.insertRows(0, 1);
    EXPECT_TRUE(saver.pending());
    clock.advance(HistorySaver::kDelaySeconds - 1);
    saver.tick();
    EXPECT_EQ(saves, 0);
    // Changes close together are written once, counted from the first.
    history.setData(history.index(0), QStringLiteral("typed.example"));
    clock.advance(1);
    saver.tick();
    EXPECT_EQ(saves, 1);
    EXPECT_FALSE(saver.pending());
    clock.advance(60);
    saver.tick();
    EXPECT_EQ(saves, 1);
}

TEST(HistorySaver, AFailedWriteIsTriedAgainLater)
{
    ManualClock clock;
    bool writable = false;
    int tries = 0;
    HistorySaver saver(clock, [&] { ++tries; return writable; });
    saver.changed();
    clock.advance(HistorySaver::kDelaySeconds);
    saver.tick();
    EXPECT_EQ(tries, 1);
    EXPECT_TRUE(saver.pending());
    saver.tick();
    EXPECT_EQ(tries, 1);  // not at once: after another delay
    writable = true;
    clock.advance(HistorySaver::kDelaySeconds);
    saver.tick();
    EXPECT_EQ(tries, 2);
    EXPECT_FALSE(saver.pending());
}

using HistorySavedDuringTheRun = ShellFixture;

TEST_F(HistorySavedDuringTheRun, ATypedAddressIsInTheFileSecondsLaterWithoutClosing)
{
    writeTextFile(home.file("Requests.Dat"), {QStringLiteral("kept.example")});
    start();
    const QByteArray before = home.read("Requests.Dat");
    window->historySaver().tick();
    EXPECT_FALSE(window->historySaver().pending());  // reading the file changed nothing
    QString typed = QStringLiteral("http://typed.example/");
    session->history.addToHistory(typed);
    window->historySaver().tick();
    EXPECT_EQ(home.read("Requests.Dat"), before);
    clock.advance(HistorySaver::kDelaySeconds);
    window->historySaver().tick();
    EXPECT_EQ(home.read("Requests.Dat"), QByteArray("kept.example\r\ntyped.example/\r\n"));
}

TEST_F(HistorySavedDuringTheRun, AFileThatCouldNotBeReadIsNeverRewritten)
{
    QFile::remove(home.file("Requests.Dat"));
    QDir(home.folder()).mkdir(QStringLiteral("Requests.Dat"));
    start();
    session->history.append(QStringLiteral("typed.example"));
    clock.advance(HistorySaver::kDelaySeconds);
    window->historySaver().tick();
    EXPECT_TRUE(QFileInfo(home.file("Requests.Dat")).isDir());
    EXPECT_FALSE(window->historySaver().pending());
}
