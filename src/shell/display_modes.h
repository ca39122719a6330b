#pragma once

#include "tabs/tab_controls.h"

class QWidget;

namespace pelquin {

class ErrorReporter;
class SpeedMenu;
class WindowLayout;
struct Session;

// The three hide/show commands of the speed menu and full screen (expert) mode.
class DisplayModes {
public:
    DisplayModes(QWidget &window, Session &session, TabControls controls, SpeedMenu &menu,
                 WindowLayout &layout, ErrorReporter &errors);

    void toggleButtonBar();
    void toggleAddressBar();
    void toggleStatusBar();
    void toggleExpertMode();

private:
    void relayAllTabs(bool positions);

    QWidget &m_window;
    Session &m_session;
    TabControls m_c;
    SpeedMenu &m_menu;
    WindowLayout &m_layout;
    ErrorReporter &m_errors;
};

}  // namespace pelquin
