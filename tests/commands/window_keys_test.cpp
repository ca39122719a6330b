#include "platform/key_codes.h"

#include <QTest>
#include "tabs/tab_collection.h"
#include "shell/find_dialog.h"
#include "commands/window_keys.h"
#include "commands/speed_menu.h"
#include "support/shell_fixture.h"
#include "shell/button_bar.h"
#include "tabs/timers.h"

#include <QAction>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>

using namespace pelquin;
using pelquin::test::ShellFixture;

class KeyboardTest : public ShellFixture {
protected:
    void SetUp() override { start(); }
    WindowKeys &keys() { return window->keyboard(); }
    SpeedMenu &menu() { return window->menu(); }
    void closeMenu() { menu().hide(); }
};

TEST_F(KeyboardTest, AltThenMOpensTheSpeedMenuWithBackAndForwardAsTheButtons)
{
    window->buttons().setEnabledAt(1, true);
    window->buttons().setEnabledAt(2, false);
    keys().onWindowKeyDown(key::Alt, shift::Alt);
    keys().onWindowKeyDown(key::M, 0);
    EXPECT_TRUE(menu().isVisible());
    EXPECT_TRUE(menu().backItem->isEnabled());
    EXPECT_FALSE(menu().forwardItem->isEnabled());
    closeMenu();
    keys().onWindowKeyDown(key::M, 0);
    EXPECT_FALSE(menu().isVisible());  // the previous key is M now
}

TEST_F(KeyboardTest, AnotherKeyBetweenAltAndMOpensNothing)
{
    keys().onWindowKeyDown(key::Alt, shift::Alt);
    keys().onWindowKeyDown('X', shift::Alt);
    keys().onWindowKeyDown(key::M, shift::Alt);
    EXPECT_FALSE(menu().isVisible());
}

TEST_F(KeyboardTest, AHiddenMenuIsPreparedButNotShown)
{
    window->menu().setAllowedByPage(false);
    window->buttons().setEnabledAt(2, true);
    keys().onWindowKeyDown(key::Alt, shift::Alt);
    keys().onWindowKeyDown(key::M, 0);
    EXPECT_FALSE(menu().isVisible());
    EXPECT_TRUE(menu().forwardItem->isEnabled());
}

TEST_F(KeyboardTest, F1ShowsHelpWithTheRefreshTimerStopped)
{
    bool timerRan = true;
    prompts.onNextForm([&](QDialog &dialog) {
        timerRan = window->timers().refreshTimer().isActive();
        dialog.reject();
        return 0;
    });
    keys().onWindowKeyDown(key::F1, 0);
    EXPECT_EQ(prompts.formTitles(), QStringList{"Help"});
    EXPECT_FALSE(timerRan);
    EXPECT_TRUE(window->timers().refreshTimer().isActive());
}

TEST_F(KeyboardTest, ModifierHeldFollowsPressAndRelease)
{
    keys().onWindowKeyDown(key::Shift, shift::Shift);
    EXPECT_TRUE(window->keyboard().modifierHeld());
    keys().onWindowKeyUp(0);
    EXPECT_FALSE(window->keyboard().modifierHeld());
}

TEST_F(KeyboardTest, RealKeyEventsReachThePreviewOnce)
{
    QTest::keyClick(window.get(), Qt::Key_Alt, Qt::AltModifier);
    QTest::keyClick(window.get(), Qt::Key_M);
    EXPECT_TRUE(menu().isVisible());
    closeMenu();
    EXPECT_EQ(keys().previousKey(), key::M);
}

TEST_F(KeyboardTest, CtrlFFindsTextOnTheSelectedTabsPage)
{
    browser(1).body = QStringLiteral("<p>Welcome to Pelquin, pelquin and PELQUIN</p>");
    keys().onWindowKeyDown(key::F, shift::Ctrl);
    FindDialog *find = window->findDialog();
    ASSERT_NE(find, nullptr);
    EXPECT_TRUE(find->isVisible());
    find->text()->setText(QStringLiteral("pelquin"));
    find->findNext();
    EXPECT_EQ(browser(1).finds, QStringList{">pelquin"});
    EXPECT_EQ(find->status(), QStringLiteral("1 of 3"));
    find->text()->setText(QStringLiteral("absent"));
    find->findNext(true);
    EXPECT_EQ(find->status(), QStringLiteral("Not found"));
    QTest::keyClick(find->text(), Qt::Key_Escape);
    EXPECT_FALSE(find->isVisible());
    EXPECT_EQ(browser(1).finds.last(), QStringLiteral(">"));  // the highlight is cleared
    keys().onWindowKeyDown(key::F, shift::Ctrl | shift::Shift);
    EXPECT_FALSE(find->isVisible());
}

TEST_F(KeyboardTest, TheMThatOpensTheMenuIsNotTypedIntoTheAddressBox)
{
    QLineEdit *edit = window->tabs().tab(1).addressBox().lineEdit();
    const QString address = QStringLiteral("http://pelquin.localhost:8470/w1.htm");
    edit->setText(address);
    QTest::keyClick(edit, Qt::Key_Alt, Qt::AltModifier);
    QTest::keyClick(edit, Qt::Key_M);
    EXPECT_TRUE(menu().isVisible());
    closeMenu();
    EXPECT_EQ(edit->text(), address);
    QTest::keyClick(edit, Qt::Key_M);  // any other M is typed as before
    EXPECT_EQ(edit->text(), address + QLatin1Char('m'));
}
