#pragma once

#include "tabs/browser_pool.h"
#include "tabs/navigation_commands.h"

#include <QObject>

#include <functional>

class QWidget;

namespace pelquin {

class ErrorReporter;
class Prompts;
class SpeedMenu;
class SponsorSite;
struct Session;

// The speed menu's and the button bar's commands of the tabs: navigation, Open Location and
// Goto Tab, and the button bar's dispatch by button name.
class Commands : public QObject {
    Q_OBJECT
public:
    Commands(QWidget &window, Session &session, TabControls controls, SpeedMenu &menu,
             const SponsorSite &sponsor, Prompts &prompts, ErrorReporter &errors);

    NavigationCommands &navigation() { return m_navigation; }

    void openLocation();
    void gotoTab();
    // A button of the button bar was clicked: its menu item's command runs.
    void onButtonClicked(const QString &name);

private:
    void connectMenu();

    QWidget &m_window;
    Session &m_session;
    TabControls m_c;
    SpeedMenu &m_menu;
    Prompts &m_prompts;
    ErrorReporter &m_errors;
    NavigationCommands m_navigation;
};

}  // namespace pelquin
