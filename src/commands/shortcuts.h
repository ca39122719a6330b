#pragma once

#include "commands/command_table.h"
#include "tabs/tab_controls.h"

#include <QObject>
#include <QString>

#include <functional>

namespace pelquin {

class Commands;
class DesktopCommands;
class WindowKeys;
class SpeedMenu;
struct Session;

// The next zoom step from `factor` (1.0 is 100%) in `direction` (+1 or -1), 25% to 500%.
double zoomStep(double factor, int direction);

// Runs the keys of the command table: a command of the menu as its button or item does, so
// that their rules (Setup open, disabled Back...) hold for keys too, and the commands that
// only keys have.
class ShortcutKeys : public QObject {
    Q_OBJECT
public:
    struct Deps {
        Session &session;
        TabControls controls;
        SpeedMenu &menu;
        Commands &commands;
        DesktopCommands &desktop;
        WindowKeys &keyboard;
        std::function<void()> showFind;
        // Find next (false) or previous (true); false when there is nothing to find again.
        std::function<bool(bool backward)> findAgain;
    };
    ShortcutKeys(Deps deps, QObject *parent);

    // True when the key was taken: it then reaches neither the page nor the address box.
    bool onKeyPress(int qtKey, Qt::KeyboardModifiers modifiers);
    bool run(const CommandCall &call);

private:
    int selected() const;
    bool selectRelative(int step);
    // Escape in the selected tab's address box puts back its page's address; false when
    // the box is not being edited or holds it already.
    bool restoreAddress();
    void zoom(int direction);
    void showShortcutsInMenu();

    Deps m_d;
};

}  // namespace pelquin
