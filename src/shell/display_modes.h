#pragma once

#include <QRect>

#include "shell/window_controls.h"

class QWidget;

namespace pelquin {

class ErrorReporter;
class SpeedMenu;
class WindowLayout;
struct Session;

// The three hide/show commands of the speed menu and full screen (expert) mode.
class DisplayModes {
public:
    DisplayModes(QWidget &window, Session &session, WindowControls controls, SpeedMenu &menu,
                 WindowLayout &layout, ErrorReporter &errors);

    void toggleButtonBar();
    void toggleAddressBar();
    void toggleStatusBar();
    void toggleExpertMode();
    // F11: expert mode filling the whole screen; F11 again, or leaving expert mode, puts the
    // window back as it was.
    void toggleFullScreen();
    bool fullScreen() const { return m_fullScreen; }

private:
    void relayAllTabs(bool positions);

    QWidget &m_window;
    Session &m_session;
    WindowControls m_c;
    SpeedMenu &m_menu;
    WindowLayout &m_layout;
    ErrorReporter &m_errors;
    bool m_fullScreen = false;
    QRect m_geometryBefore;
    Qt::WindowStates m_stateBefore;
};

}  // namespace pelquin
