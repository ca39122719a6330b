#include "setup/setup_dialog.h"
#include "commands/commands.h"
#include "shell/dialog_placement.h"
#include "support/shell_fixture.h"

#include <QDialog>
#include <QScreen>

#include <algorithm>

using namespace pelquin;
using pelquin::test::ShellFixture;

namespace {

// Where a window of `size` belongs over `anchor`, kept on the screen `area`.
QPoint expectedTopLeft(const QRect &anchor, QSize size, const QRect &area)
{
    QRect r(QPoint(), size);
    r.moveCenter(anchor.center());
    return {std::clamp(r.left(), area.left(), std::max(area.left(), area.right() + 1 - r.width())),
            std::clamp(r.top(), area.top(), std::max(area.top(), area.bottom() + 1 - r.height()))};
}

}  // namespace

class DialogPlacementTest : public ShellFixture {
protected:
    void SetUp() override
    {
        start();
        window->move(240, 200);
        window->resize(400, 300);
        screen = window->screen()->availableGeometry();
    }
    // Opens a modal dialog with `open` and returns where it was shown.
    QRect shownAt(const std::function<void()> &open)
    {
        QRect where;
        prompts.onNextForm([&](QDialog &dialog) {
            dialog.show();
            where = dialog.frameGeometry();
            dialog.reject();
            return 0;
        });
        open();
        return where;
    }
    QRect screen;
};

TEST_F(DialogPlacementTest, TheHelpScreenIsCentredOnTheMainWindowsScreen)
{
    const QRect help = shownAt([this] { window->showHelp(); });
    ASSERT_TRUE(help.isValid());
    EXPECT_LE(std::abs(help.center().x() - screen.center().x()), 2) << help.center().x();
    EXPECT_LE(std::abs(help.center().y() - screen.center().y()), 2) << help.center().y();
}

TEST_F(DialogPlacementTest, GotoTabOpensCentredOverTheMainWindow)
{
    const QRect dialog = shownAt([this] { window->commands().gotoTab(); });
    ASSERT_TRUE(dialog.isValid());
    EXPECT_EQ(dialog.topLeft(), expectedTopLeft(window->frameGeometry(), dialog.size(), screen));
}

TEST_F(DialogPlacementTest, SetupOpensOverTheMainWindowAndStaysOnItsScreen)
{
    window->openSetup();
    const QWidget *setup = window->setupDialog();
    ASSERT_NE(setup, nullptr);
    const QRect frame = setup->frameGeometry();
    EXPECT_EQ(frame.topLeft(), expectedTopLeft(window->frameGeometry(), frame.size(), screen));
    EXPECT_TRUE(screen.contains(frame.topLeft()));
}

TEST_F(DialogPlacementTest, ADialogPlacedByItsOwnCodeKeepsItsPlace)
{
    QDialog dialog(window.get());
    dialog.resize(200, 100);
    dialog.move(screen.topLeft() + QPoint(5, 7));
    dialog.show();
    EXPECT_EQ(dialog.frameGeometry().topLeft(), screen.topLeft() + QPoint(5, 7));
}

TEST(CentredOver, CentresOverTheAnchorAndKeepsInsideTheArea)
{
    const QRect area(0, 0, 1600, 1200);
    EXPECT_EQ(centredOver(QRect(100, 100, 800, 600), QSize(200, 100), area),
              QRect(400, 350, 200, 100));
    EXPECT_EQ(centredOver(area, QSize(400, 300), area), QRect(600, 450, 400, 300));
    EXPECT_EQ(centredOver(QRect(1500, 1150, 100, 50), QSize(400, 300), area),
              QRect(1200, 900, 400, 300));
    EXPECT_EQ(centredOver(QRect(-300, -200, 100, 50), QSize(400, 300), area),
              QRect(0, 0, 400, 300));
    EXPECT_EQ(centredOver(QRect(0, 0, 100, 100), QSize(2000, 1300), area),
              QRect(0, 0, 2000, 1300));
}
