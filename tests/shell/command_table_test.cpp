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
    for (const CommandSpec &spec : commandTable())
        ++rows[spec.command];
    for (int c = 0; c <= kLastCommand; ++c)
        EXPECT_EQ(rows[Command(c)], 1) << c;
    std::set<int> buttons;
    for (const CommandSpec &spec : commandTable()) {
        if (spec.button != 0)
            EXPECT_TRUE(buttons.insert(spec.button).second) << spec.button;
    }
    EXPECT_EQ(buttons, (std::set<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}));
}

TEST(CommandTable, NoKeyRunsTwoCommands)
{
    std::set<QKeySequence> seen;
    for (const CommandSpec &spec : commandTable()) {
        for (const KeyBinding &binding : spec.keys)
            EXPECT_TRUE(seen.insert(binding.keys).second) << qPrintable(binding.keys.toString());
    }
}

using CommandEntryPoints = ShellFixture;

TEST_F(CommandEntryPoints, TheMenuIsTheTableInItsOrder)
{
    start();
    QStringList expected;
    for (const CommandSpec &spec : commandTable()) {
        if (spec.menuText.isEmpty()) {
            EXPECT_EQ(window->menu().item(spec.command), nullptr);
            continue;
        }
        if (spec.separatorBefore)
            expected << QStringLiteral("-");
        expected << spec.menuText;
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
    for (const CommandSpec &spec : commandTable()) {
        if (window->menu().item(spec.command))
            window->commands().bind(spec.command, [&runs, c = spec.command] { ++runs[c]; });
    }
    // Back and Forward run only while their buttons are enabled; Escape only while loading.
    window->buttons().setEnabledAt(1, true);
    window->buttons().setEnabledAt(2, true);
    browser(1).startLoad(QStringLiteral("http://slow.example/"));
    for (const CommandSpec &spec : commandTable()) {
        QAction *item = window->menu().item(spec.command);
        if (!item)
            continue;
        int expected = 0;
        item->trigger();
        EXPECT_EQ(runs[spec.command], ++expected) << qPrintable(spec.menuText);
        if (spec.button != 0) {
            window->buttons().button(spec.button)->trigger();
            EXPECT_EQ(runs[spec.command], ++expected) << qPrintable(spec.menuText);
        }
        for (const KeyBinding &binding : spec.keys) {
            if (spec.keysSeenByPreview)
                continue;
            const QKeyCombination key = binding.keys[0];
            EXPECT_TRUE(window->shortcuts().onKeyPress(key.key(), key.keyboardModifiers()))
                << qPrintable(binding.keys.toString());
            EXPECT_EQ(runs[spec.command], ++expected) << qPrintable(binding.keys.toString());
        }
    }
}

TEST_F(CommandEntryPoints, AnOpenSetupHoldsBackWhatTheTableSaysFromButtonsAndKeysOnly)
{
    start();
    std::map<Command, int> runs;
    for (const CommandSpec &spec : commandTable()) {
        if (window->menu().item(spec.command))
            window->commands().bind(spec.command, [&runs, c = spec.command] { ++runs[c]; });
    }
    window->timers().pause(RefreshPause::Setup);
    for (const CommandSpec &spec : commandTable()) {
        if (spec.button == 0)
            continue;
        window->commands().onButtonClicked(spec.button);
        EXPECT_EQ(runs[spec.command], spec.heldBySetup ? 0 : 1) << qPrintable(spec.menuText);
        window->commands().run(spec.command, CommandSource::Menu);
        EXPECT_EQ(runs[spec.command], spec.heldBySetup ? 1 : 2) << qPrintable(spec.menuText);
    }
    window->timers().resume(RefreshPause::Setup);
}
