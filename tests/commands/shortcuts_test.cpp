#include "commands/shortcuts.h"

#include "core/session.h"
#include "shell/find_dialog.h"
#include "shell/help_text.h"
#include "commands/speed_menu.h"
#include "support/shell_fixture.h"
#include "tabs/timers.h"
#include "tabs/tab_collection.h"
#include "shell/button_bar.h"
#include "shell/status_area.h"
#include "tabs/tab_strip.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QStatusBar>
#include <QTest>

using namespace pelquin;
using pelquin::test::ShellFixture;

namespace {

Command commandOf(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    const std::optional<CommandCall> call = commandForKey(key, modifiers);
    EXPECT_TRUE(call.has_value()) << key;
    return call ? call->command : Command::Refresh;
}

}  // namespace

TEST(ShortcutMap, TheDesktopsKeysMapToTheirCommands)
{
    using C = Command;
    EXPECT_EQ(commandOf(Qt::Key_F5), C::Refresh);
    EXPECT_EQ(commandOf(Qt::Key_R, Qt::ControlModifier), C::Refresh);
    EXPECT_EQ(commandOf(Qt::Key_F5, Qt::ShiftModifier), C::ReloadPastCache);
    EXPECT_EQ(commandOf(Qt::Key_R, Qt::ControlModifier | Qt::ShiftModifier), C::ReloadPastCache);
    EXPECT_EQ(commandOf(Qt::Key_Left, Qt::AltModifier), C::Back);
    EXPECT_EQ(commandOf(Qt::Key_Right, Qt::AltModifier), C::Forward);
    EXPECT_EQ(commandOf(Qt::Key_Home, Qt::AltModifier), C::Home);
    EXPECT_EQ(commandOf(Qt::Key_D, Qt::AltModifier), C::OpenLocation);
    EXPECT_EQ(commandOf(Qt::Key_F6), C::OpenLocation);
    EXPECT_EQ(commandOf(Qt::Key_PageDown, Qt::ControlModifier), C::NextTab);
    // Shift+Tab arrives as Backtab.
    EXPECT_EQ(commandOf(Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier),
              C::PreviousTab);
    EXPECT_EQ(commandOf(Qt::Key_9, Qt::ControlModifier), C::LastTab);
    EXPECT_EQ(commandForKey(Qt::Key_3, Qt::ControlModifier)->tab, 3);
    // "+" with the Shift it needs, and on the keypad.
    EXPECT_EQ(commandOf(Qt::Key_Plus, Qt::ControlModifier | Qt::ShiftModifier), C::ZoomIn);
    EXPECT_EQ(commandOf(Qt::Key_Plus, Qt::ControlModifier | Qt::KeypadModifier), C::ZoomIn);
    EXPECT_EQ(commandOf(Qt::Key_F3, Qt::ShiftModifier), C::FindPrevious);
}

TEST(ShortcutMap, KeysOfThePageAndTheAddressBoxAreNotInIt)
{
    EXPECT_FALSE(commandForKey(Qt::Key_Backspace, Qt::NoModifier));
    EXPECT_FALSE(commandForKey(Qt::Key_Left, Qt::ShiftModifier));
    EXPECT_FALSE(commandForKey(Qt::Key_Left, Qt::NoModifier));
    EXPECT_FALSE(commandForKey(Qt::Key_M, Qt::AltModifier));
    EXPECT_FALSE(commandForKey(Qt::Key_A, Qt::ControlModifier));
    EXPECT_FALSE(commandForKey(Qt::Key_R, Qt::NoModifier));
    EXPECT_FALSE(commandForKey(Qt::Key_F1, Qt::NoModifier));  // the preview's own
}

TEST(ShortcutMap, ZoomStepsStayBetween25And500Percent)
{
    EXPECT_DOUBLE_EQ(zoomStep(1.0, 1), 1.1);
    EXPECT_DOUBLE_EQ(zoomStep(1.0, -1), 0.9);
    EXPECT_DOUBLE_EQ(zoomStep(1.17, 1), 1.25);  // from a wheel zoom to the next step
    EXPECT_DOUBLE_EQ(zoomStep(5.0, 1), 5.0);
    EXPECT_DOUBLE_EQ(zoomStep(0.25, -1), 0.25);
}

TEST(ShortcutMap, TheHelpListsEveryKey)
{
    const QString help = helpText();
    for (const CommandRow &row : commandTable()) {
        for (const KeyBinding &binding : row.keys)
            EXPECT_TRUE(help.contains(binding.keys.toString(QKeySequence::NativeText)));
    }
}

class ShortcutKeysTest : public ShellFixture {
protected:
    void SetUp() override { start(); }
    QLineEdit *edit(int tab) { return window->tabs().tab(tab).addressBox().lineEdit(); }
    int selected() { return window->tabStrip().selected(); }
};

TEST_F(ShortcutKeysTest, F5InTheAddressBoxRefreshesAndIsNotTyped)
{
    edit(1)->setText(QStringLiteral("typed"));
    QTest::keyClick(edit(1), Qt::Key_F5);
    QTest::keyClick(edit(1), Qt::Key_R, Qt::ControlModifier);
    EXPECT_EQ(browser(1).refreshes, 2);
    QTest::keyClick(edit(1), Qt::Key_F5, Qt::ShiftModifier);
    EXPECT_EQ(browser(1).cacheBypasses, 1);
    QTest::keyClick(edit(1), Qt::Key_Backspace);  // not taken: the address box has it
    EXPECT_EQ(edit(1)->text(), QStringLiteral("type"));
}

TEST_F(ShortcutKeysTest, TabKeysStepThroughTheTabsAndWrap)
{
    QTest::keyClick(edit(1), Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(selected(), 2);
    QTest::keyClick(edit(2), Qt::Key_PageDown, Qt::ControlModifier);
    EXPECT_EQ(selected(), 3);
    QTest::keyClick(edit(3), Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(selected(), 2);
    QTest::keyClick(edit(2), Qt::Key_9, Qt::ControlModifier);
    EXPECT_EQ(selected(), kTabCount);
    QTest::keyClick(edit(kTabCount), Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(selected(), 1);
    QTest::keyClick(edit(1), Qt::Key_PageUp, Qt::ControlModifier);
    EXPECT_EQ(selected(), kTabCount);
    QTest::keyClick(edit(kTabCount), Qt::Key_5, Qt::ControlModifier);
    EXPECT_EQ(selected(), 5);
}

TEST_F(ShortcutKeysTest, BackFollowsTheButtonAndSetupHoldsPrintBack)
{
    pelquin::test::FakeBrowser &first = browser(1);
    first.history = {QStringLiteral("a.example"), QStringLiteral("b.example")};
    first.historyIndex = 1;
    window->buttons().setEnabledAt(1, false);
    QTest::keyClick(edit(1), Qt::Key_Left, Qt::AltModifier);
    EXPECT_EQ(first.historyIndex, 1);  // a disabled Back button: nothing
    window->buttons().setEnabledAt(1, true);
    QTest::keyClick(edit(1), Qt::Key_Left, Qt::AltModifier);
    EXPECT_EQ(first.historyIndex, 0);

    first.load(QStringLiteral("http://a.example/"));
    window->timers().pause(RefreshPause::Setup);
    QTest::keyClick(edit(1), Qt::Key_P, Qt::ControlModifier);
    EXPECT_TRUE(first.execs.isEmpty());
    window->timers().resume(RefreshPause::Setup);
    QTest::keyClick(edit(1), Qt::Key_P, Qt::ControlModifier);
    EXPECT_EQ(first.execs, QList<PageCommand>{PageCommand::Print});
}

TEST_F(ShortcutKeysTest, ZoomIsPerTabAndShownInTheStatusBar)
{
    QTest::keyClick(edit(1), Qt::Key_Plus, Qt::ControlModifier | Qt::ShiftModifier);
    QTest::keyClick(edit(1), Qt::Key_Equal, Qt::ControlModifier);
    EXPECT_DOUBLE_EQ(browser(1).zoom, 1.25);
    EXPECT_EQ(window->status().statusBar()->currentMessage(), QStringLiteral("Zoom 125%"));
    window->tabStrip().select(3);
    QTest::keyClick(edit(3), Qt::Key_Minus, Qt::ControlModifier);
    EXPECT_DOUBLE_EQ(browser(3).zoom, 0.9);
    EXPECT_DOUBLE_EQ(browser(1).zoom, 1.25);
    QTest::keyClick(edit(3), Qt::Key_0, Qt::ControlModifier);
    EXPECT_DOUBLE_EQ(browser(3).zoom, 1.0);
}

TEST_F(ShortcutKeysTest, EscapeStopsOnlyALoadingTab)
{
    window->tabStrip().select(3);
    EXPECT_FALSE(window->shortcuts().onKeyPress(Qt::Key_Escape, Qt::NoModifier));
    browser(3).startLoad(QStringLiteral("http://slow.example/"));
    EXPECT_TRUE(window->shortcuts().onKeyPress(Qt::Key_Escape, Qt::NoModifier));
    EXPECT_EQ(browser(3).stops, 1);
}

TEST_F(ShortcutKeysTest, CtrlLSelectsTheAddressAndTheMenuShowsTheKeys)
{
    window->tabStrip().select(3);
    edit(3)->setText(QStringLiteral("http://shown.example/"));
    window->tabs().tab(3).page()->setFocus();
    EXPECT_TRUE(window->shortcuts().onKeyPress(Qt::Key_L, Qt::ControlModifier));
    EXPECT_EQ(edit(3)->selectedText(), QStringLiteral("http://shown.example/"));
    EXPECT_EQ(window->menu().item(Command::Refresh)->shortcut(),
              QKeySequence(Qt::Key_F5));
    EXPECT_EQ(window->menu().item(Command::OpenLocation)->shortcut(),
              QKeySequence(Qt::CTRL | Qt::Key_L));
}

TEST_F(ShortcutKeysTest, F3FindsAgainWhatFindLookedFor)
{
    browser(1).body = QStringLiteral("<p>pelquin</p>");
    QTest::keyClick(edit(1), Qt::Key_F, Qt::ControlModifier);
    ASSERT_NE(window->findDialog(), nullptr);
    window->findDialog()->text()->setText(QStringLiteral("pelquin"));
    window->findDialog()->hide();
    QTest::keyClick(edit(1), Qt::Key_F3);
    QTest::keyClick(edit(1), Qt::Key_F3, Qt::ShiftModifier);
    EXPECT_EQ(browser(1).finds, (QStringList{">pelquin", "<pelquin"}));
}
