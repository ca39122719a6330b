#include "commands/command_table.h"
#include "commands/commands.h"
#include "commands/shortcuts.h"
#include "commands/speed_menu.h"
#include "support/shell_fixture.h"
#include "support/tabs_fixture.h"
#include "tabs/timers.h"
#include "shell/button_bar.h"

#include <QAction>
#include <QTest>
#include <QKeyCombination>

#include <map>
#include <set>

using namespace pelquin;
using pelquin::test::ShellFixture;

TEST(CommandTable, EveryCommandHasOneRowAndEveryButtonOneCommand)
{
    std::map<Command, int> rows;
    for (const CommandRow &row : commandTable())
        ++rows[row.command];
    for (int c = 0; c < int(Command::Count); ++c)
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

TEST(CommandTable, NoTwoItemsOfTheSpeedMenuShareAnAccessLetter)
{
    // Except the three "&Hide" items, which the menu has always had.
    std::map<QChar, QStringList> items;
    QStringList withoutLetter;
    for (const CommandRow &row : commandTable()) {
        const int mark = int(row.menuText.indexOf(QLatin1Char('&')));
        if (row.menuText.isEmpty())
            continue;
        if (mark < 0) {
            withoutLetter << row.menuText;
            continue;
        }
        const QChar letter = row.menuText.at(mark + 1).toLower();
        if (!row.menuText.startsWith(QStringLiteral("&Hide ")))
            items[letter] << row.menuText;
    }
    for (const auto &[letter, texts] : items)
        EXPECT_EQ(texts.size(), 1) << qPrintable(texts.join(QStringLiteral(", ")));
    // An item goes without a letter only when every letter of its name is taken.
    for (const QString &text : withoutLetter) {
        for (const QChar c : text)
            if (c.isLetter())
                EXPECT_TRUE(items.count(c.toLower()) || c.toLower() == u'h')
                    << qPrintable(text) << " could take " << qPrintable(QString(c));
    }
}

TEST(CommandTable, TheHelpListsEveryItemOfTheSpeedMenuThatItDescribes)
{
    const QString help = speedMenuHelp();
    for (const CommandRow &row : commandTable()) {
        if (!row.menuText.isEmpty() && !row.menuHelp.isEmpty())
            EXPECT_TRUE(help.contains(QStringLiteral("  ") + withoutAccessMark(row.menuText) +
                                      QStringLiteral(": ")))
                << qPrintable(row.menuText);
    }
    EXPECT_TRUE(help.contains(QStringLiteral("  Downloads: ")));
    EXPECT_TRUE(help.contains(QStringLiteral("  Wall of Tabs (Mosaic): ")));
    EXPECT_TRUE(help.contains(QStringLiteral("  Jump to Next Changed Tab: ")));
    for (const QString &line : help.split(QLatin1Char('\n')))
        EXPECT_LE(line.size(), 90) << qPrintable(line);
}

class CommandEntryPoints : public ShellFixture {
protected:
    // Every command of the menu only counts its runs from now on.
    std::map<Command, int> &countRunsOfMenuCommands()
    {
        for (const CommandRow &row : commandTable()) {
            if (window->menu().item(row.command))
                window->commands().bind(row.command, [this, c = row.command] { ++m_runs[c]; });
        }
        return m_runs;
    }

private:
    std::map<Command, int> m_runs;
};

using SpeedMenuItems = test::TabsFixture;

TEST_F(SpeedMenuItems, TheMenuIsTheTableInItsOrder)
{
    QStringList expected;
    for (const CommandRow &row : commandTable()) {
        if (row.menuText.isEmpty()) {
            EXPECT_EQ(menu.item(row.command), nullptr);
            continue;
        }
        if (row.separatorBefore)
            expected << QStringLiteral("-");
        expected << row.menuText;
    }
    QStringList shown;
    for (const QAction *item : menu.actions())
        shown << (item->isSeparator() ? QStringLiteral("-") : item->text());
    EXPECT_EQ(shown, expected);
}

TEST_F(CommandEntryPoints, EveryCommandRunsFromItsMenuItemButtonAndKeys)
{
    start();
    std::map<Command, int> &runs = countRunsOfMenuCommands();
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

TEST_F(CommandEntryPoints, EachAccessLetterOfTheOpenSpeedMenuRunsItsOwnItem)
{
    start();
    std::map<Command, int> &runs = countRunsOfMenuCommands();
    const std::pair<Qt::Key, Command> letters[] = {
        {Qt::Key_C, Command::SendEmail}, {Qt::Key_W, Command::Downloads},
        {Qt::Key_M, Command::WallOfTabs}, {Qt::Key_J, Command::NextChangedTab},
        {Qt::Key_T, Command::Setup}, {Qt::Key_O, Command::InternetOptions}};
    for (const auto &[letter, command] : letters) {
        SpeedMenu &menu = window->menu();
        menu.popup(QPoint(10, 10));
        QTest::keyClick(&menu, letter);
        QCoreApplication::processEvents();
        EXPECT_EQ(runs[command], 1) << qPrintable(commandRow(command).menuText);
        menu.hide();
    }
}

TEST_F(CommandEntryPoints, AnOpenSetupHoldsBackWhatTheTableSaysFromButtonsAndKeysOnly)
{
    start();
    std::map<Command, int> &runs = countRunsOfMenuCommands();
    // Back and Forward run only while enabled, whatever starts them.
    window->buttons().setEnabledAt(1, true);
    window->buttons().setEnabledAt(2, true);
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
