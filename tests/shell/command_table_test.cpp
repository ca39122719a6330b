#include "shell/command_table.h"
#include "shell/commands.h"
#include "shell/shortcuts.h"
#include "shell/speed_menu.h"
#include "support/shell_fixture.h"
#include "tabs/timers.h"
#include "tabs/button_bar.h"

#include <QAction>
#include <QKeyCombination>

#include <map>
#include <set>

using namespace pelquin;
using pelquin::test::ShellFixture;

namespace {

constexpr int kLastCommand = int(Command::ZoomReset);

}  // namespace

TEST(CommandTable, EveryCommandHasOneRowAndEveryButtonOneCommand)
{
    std::map<Command, int> rows;
    for (const CommandRow &row : commandTable())
        ++rows[row.command];
    for (int c = 0; c <= kLastCommand; ++c)
        EXPECT_EQ(rows[Command(c)], 1) << c;
    std::set<int> buttons;
    for (const CommandRow &row : commandTable()) {
        if (row.button != 0)
            EXPECT_TRUE(buttons.insert(row.button).second) << row.button;
    }
    EXPECT_EQ(buttons, (std::set<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}));
}

TEST(CommandTable, NoKeyRunsTwoCommands)
{
    std::set<QKeySequence> seen;
    for (const CommandRow &row : commandTable()) {
        for (const KeyBinding &binding : row.keys)
            EXPECT_TRUE(seen.insert(binding.keys).second) << qPrintable(binding.keys.toString());
    }
}

using CommandEntryPoints = ShellFixture;

TEST_F(CommandEntryPoints, TheMenuIsTheTableInItsOrder)
{
    start();
    QStringList expected;
    for (const CommandRow &row : commandTable()) {
        if (row.menuText.isEmpty()) {
            EXPECT_EQ(window->menu().item(row.command), nullptr);
            continue;
        }
        if (row.separatorBefore)
            expected << QStringLiteral("-");
        expected << row.menuText;
    }
    QStringList shown;
    for (const QAction *item : window->menu().actions())
        shown << (item->isSeparator() ? QStringLiteral("-") : item->text());
    EXPECT_EQ(shown, expected);
}

TEST_F(CommandEntryPoints, EveryCommandRunsFromItsMenuItemButtonAndKeys)
{
    start();
    std::map<Command, int> runs;
    for (const CommandRow &row : commandTable()) {
        if (window->menu().item(row.command))
            window->commands().bind(row.command, [&runs, c = row.command] { ++runs[c]; });
    }
    // Back and Forward run only while their buttons are enabled; Escape only while loading.
    window->buttons().setEnabledAt(1, true);
    window->buttons().setEnabledAt(2, true);
    browser(1).startLoad(QStringLiteral("http://slow.example/"));
    for (const CommandRow &row : commandTable()) {
        QAction *item = window->menu().item(row.command);
        if (!item)
            continue;
        int expected = 0;
        item->trigger();
        EXPECT_EQ(runs[row.command], ++expected) << qPrintable(row.menuText);
        if (row.button != 0) {
            window->buttons().button(row.button)->trigger();
            EXPECT_EQ(runs[row.command], ++expected) << qPrintable(row.menuText);
        }
        for (const KeyBinding &binding : row.keys) {
            if (row.keysSeenByPreview)
                continue;
            const QKeyCombination key = binding.keys[0];
            EXPECT_TRUE(window->shortcuts().onKeyPress(key.key(), key.keyboardModifiers()))
                << qPrintable(binding.keys.toString());
            EXPECT_EQ(runs[row.command], ++expected) << qPrintable(binding.keys.toString());
        }
    }
}

TEST_F(CommandEntryPoints, AnOpenSetupHoldsBackWhatTheTableSaysFromButtonsAndKeysOnly)
{
    start();
    std::map<Command, int> runs;
    for (const CommandRow &row : commandTable()) {
        if (window->menu().item(row.command))
            window->commands().bind(row.command, [&runs, c = row.command] { ++runs[c]; });
    }
    window->timers().pause(RefreshPause::Setup);
    for (const CommandRow &row : commandTable()) {
        if (row.button == 0)
            continue;
        window->commands().onButtonClicked(row.button);
        EXPECT_EQ(runs[row.command], row.heldBySetup ? 0 : 1) << qPrintable(row.menuText);
        window->commands().run(row.command, CommandSource::Menu);
        EXPECT_EQ(runs[row.command], row.heldBySetup ? 1 : 2) << qPrintable(row.menuText);
    }
    window->timers().resume(RefreshPause::Setup);
}
