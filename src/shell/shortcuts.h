#pragma once

#include "tabs/browser_pool.h"

#include <QKeySequence>
#include <QObject>
#include <QString>

#include <functional>
#include <optional>
#include <vector>

namespace pelquin {

class Commands;
class DesktopCommands;
class KeyboardPreview;
class SpeedMenu;
struct Session;

// What a shortcut asks for; each runs through the command the button or menu item runs.
enum class ShortcutCommand {
    Refresh, ReloadPastCache, Back, Forward, Home, Stop, FocusAddress, NextTab, PreviousTab,
    SelectTab, LastTab, Print, SavePage, AddFavorite, History, Find, FindNext, FindPrevious,
    ExpertMode, ZoomIn, ZoomOut, ZoomReset,
};

struct Shortcut {
    ShortcutCommand command;
    int tab = 0;  // SelectTab: the tab number
};

struct ShortcutEntry {
    QKeySequence keys;
    Shortcut shortcut;
};

// The one key map: the keys the desktop's browsers share, in the order the help lists them.
const std::vector<ShortcutEntry> &shortcutTable();
// The shortcut of a key press; none for keys that stay with the page or the address box.
std::optional<Shortcut> shortcutFor(int qtKey, Qt::KeyboardModifiers modifiers);
// The help screen's section on the keys, made from the key map.
QString shortcutHelp();
// The next zoom step from `factor` (1.0 is 100%) in `direction` (+1 or -1), 25% to 500%.
double zoomStep(double factor, int direction);

// Runs the shortcuts of the main window through the buttons' and speed menu's dispatch, so
// that their rules (Setup open, disabled Back, hidden menu items...) hold for keys too.
class ShortcutKeys : public QObject {
    Q_OBJECT
public:
    struct Deps {
        Session &session;
        TabControls controls;
        SpeedMenu &menu;
        Commands &commands;
        DesktopCommands &desktop;
        KeyboardPreview &keyboard;
        std::function<void()> showFind;
        // Find next (false) or previous (true); false when there is nothing to find again.
        std::function<bool(bool backward)> findAgain;
    };
    ShortcutKeys(Deps deps, QObject *parent);

    // True when the key was taken: it then reaches neither the page nor the address box.
    bool onKeyPress(int qtKey, Qt::KeyboardModifiers modifiers);
    bool run(const Shortcut &shortcut);

private:
    int selected() const;
    bool selectRelative(int step);
    void zoom(int direction);
    void showShortcutsInMenu();

    Deps m_d;
};

}  // namespace pelquin
