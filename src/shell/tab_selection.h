#pragma once

#include "tabs/refresh_pauses.h"

#include "shell/window_controls.h"

namespace pelquin {

class ErrorReporter;
class SpeedMenu;
class WindowLayout;
struct Session;

// The tab strip's selection handling: brings the selected tab's browser, address box, status
// text, progress and Back/Forward state to the front.
class TabSelection {
public:
    TabSelection(Session &session, WindowControls controls, SpeedMenu &menu, WindowLayout &layout,
                 const RefreshPauses &pauses, ErrorReporter &errors);

    void onTabSelected();

private:
    Session &m_session;
    WindowControls m_c;
    SpeedMenu &m_menu;
    WindowLayout &m_layout;
    const RefreshPauses &m_pauses;
    ErrorReporter &m_errors;
};

}  // namespace pelquin
