#pragma once

#include "commands/command_table.h"
#include "tabs/tab_controls.h"
#include "commands/navigation_commands.h"
#include "tabs/refresh_pauses.h"

#include <QObject>

#include <functional>
#include <map>

class QWidget;

namespace pelquin {

class ErrorReporter;
class Prompts;
class SpeedMenu;
class SponsorSite;
struct Session;

// Runs the commands of the command table: each command's handler is bound once, and its
// menu item, button and keys all run it. Also the tabs' own commands: navigation, Open
// Location and Goto Tab.
class Commands : public QObject {
    Q_OBJECT
public:
    Commands(QWidget &window, Session &session, TabControls controls, SpeedMenu &menu,
             const RefreshPauses &pauses, const SponsorSite &sponsor, Prompts &prompts,
             ErrorReporter &errors);

    NavigationCommands &navigation() { return m_navigation; }

    // What the command does, whatever starts it; bound again, the new handler replaces it.
    void bind(Command command, std::function<void()> handler);
    // Runs a command of the menu as its button or key does: through its menu item, so that
    // a disabled item runs nothing, and not at all while an open Setup dialog holds it
    // back. False when the command has no menu item.
    bool run(Command command, CommandSource source);

    // An open Setup dialog holds back some commands of buttons and keys.
    bool setupOpen() const { return m_pauses.has(RefreshPause::Setup); }

    void openLocation();
    void gotoTab();
    // Button `index` (1 to 12) of the button bar was clicked.
    void onButtonClicked(int index);

private:

    QWidget &m_window;
    Session &m_session;
    TabControls m_c;
    SpeedMenu &m_menu;
    const RefreshPauses &m_pauses;
    Prompts &m_prompts;
    ErrorReporter &m_errors;
    NavigationCommands m_navigation;
    std::map<Command, std::function<void()>> m_handlers;
};

}  // namespace pelquin
