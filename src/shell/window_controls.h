#pragma once

#include "shell/button_bar.h"
#include "shell/status_area.h"
#include "tabs/tab_controls.h"

namespace pelquin {

// The main window's controls that follow the tabs, with the buttons and the whole status
// area, which only the window's own parts place and show.
struct WindowControls {
    TabStrip &tabStrip;
    ButtonBar &buttons;
    TabCollection &tabs;
    StatusArea &status;

    TabControls forTabs() const { return TabControls{tabStrip, tabs, status}; }
};

}  // namespace pelquin
