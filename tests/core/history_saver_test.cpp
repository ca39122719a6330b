#include "core/address_history.h"
#include "core/history_saver.h"
#include "platform/error_report.h"
#include "platform/settings_store.h"
#include "platform/text_file.h"
#include "shell/layout.h"
#include "shell/window_store.h"
#include "support/tabs_fixture.h"
#include "support/temp_home.h"

#include <QDir>
#include <QFileInfo>
#include <QStringListModel>

using namespace pelquin;

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

// The history file's store and its saver alone, wired as the window's start-up wires them.
class HistorySavedDuringTheRun : public test::TabsFixture {
protected:
    HistorySavedDuringTheRun() { session.appFolder = home.folder(); }
    // Reads the history file and saves every later change, as the start-up does; a file
    // that cannot be read is reported and leaves the history unwatched.
    void start()
    {
        Trap(errors, QStringLiteral(" At Form Load")).step([this] {
            store.loadHistory();
            saver.watch(*session.history.model());
        });
    }

    test::TempHome home;
    SettingsStore settings{home.settingsPath()};
    BarVisibility bars;
    WindowStore store{window, session, bars, settings, prompts, errors};
    HistorySaver saver{clock, [this] { return store.saveHistoryQuietly(); }};
};

TEST_F(HistorySavedDuringTheRun, ATypedAddressIsInTheFileSecondsLaterWithoutClosing)
{
    writeTextFile(home.file("Requests.Dat"), {QStringLiteral("kept.example")});
    start();
    const QByteArray before = home.read("Requests.Dat");
    saver.tick();
    EXPECT_FALSE(saver.pending());  // reading the file changed nothing
    QString typed = QStringLiteral("http://typed.example/");
    session.history.addToHistory(typed);
    saver.tick();
    EXPECT_EQ(home.read("Requests.Dat"), before);
    clock.advance(HistorySaver::kDelaySeconds);
    saver.tick();
    EXPECT_EQ(home.read("Requests.Dat"), QByteArray("kept.example\r\ntyped.example/\r\n"));
}

TEST_F(HistorySavedDuringTheRun, AFileThatCouldNotBeReadIsNeverRewritten)
{
    QFile::remove(home.file("Requests.Dat"));
    QDir(home.folder()).mkdir(QStringLiteral("Requests.Dat"));
    start();
    session.history.append(QStringLiteral("typed.example"));
    clock.advance(HistorySaver::kDelaySeconds);
    saver.tick();
    EXPECT_TRUE(QFileInfo(home.file("Requests.Dat")).isDir());
    EXPECT_FALSE(saver.pending());
}
