#pragma once

#include "shell/window_controls.h"

#include <QObject>
#include <QPointer>

#include <functional>
#include <QStringList>

namespace pelquin {

class BrowserTab;

class Commands;
class DesktopCommands;
class ErrorReporter;
class FindDialog;
class FreeTabs;
class WindowKeys;
class ShortcutKeys;
class SpeedMenu;
struct Session;

// What the main window does as the desktop's browsers do: the shared keys, addresses from
// outside a tab opened in free tabs, and links dropped on a tab.
class DesktopHabits : public QObject {
    Q_OBJECT
public:
    struct Deps {
        Session &session;
        WindowControls controls;
        SpeedMenu &menu;
        Commands &commands;
        DesktopCommands &desktop;
        WindowKeys &keyboard;
        ErrorReporter &errors;
        QWidget &window;  // what the Find dialog belongs to
        // Whether the window's first activation, which selects tab 1, has been done.
        std::function<bool()> activated;
    };
    DesktopHabits(Deps deps, QObject *parent);

    ShortcutKeys &shortcuts() const { return *m_shortcuts; }
    FreeTabs &freeTabs() const { return *m_freeTabs; }

    // Opens the Find dialog for the selected tab's page, or brings it forward.
    void showFind();
    FindDialog *findDialog() const;

    // Addresses from the command line or a later start: they open in free tabs once the
    // start-up is done.
    void openAddresses(const QStringList &addresses);
    // The start-up is done: what waited opens now.
    void openPendingAddresses();
    // Text dropped on the header of tab t: the tab goes there, and is selected unless a
    // modifier key was held.
    void dropLink(BrowserTab &tab, const QString &text, bool hasText, Qt::KeyboardModifiers keys);

    // Ctrl+T: the first free tab, with the cursor where its address is typed.
    void newTab();
    // Ctrl+W: the selected tab shows nothing, as a closed tab would in a strip of fixed tabs.
    void emptySelectedTab();
    // Ctrl+U: the selected page's source, in the first free tab.
    void viewSourceInFreeTab();

private:
    // Find next (false) or previous (true); false when there is nothing to find again.
    bool findAgain(bool backward);
    // The first free tab, or 0 after saying on the status bar that there is none.
    int freeTabOrSay();

    Session &m_session;
    WindowControls m_c;
    Commands &m_commands;
    ErrorReporter &m_errors;
    const WindowKeys &m_keyboard;
    std::function<bool()> m_activated;
    ShortcutKeys *m_shortcuts;
    FreeTabs *m_freeTabs;
    QStringList m_pendingAddresses;
    QWidget &m_window;
    QPointer<FindDialog> m_find;
};

}  // namespace pelquin
