#pragma once

#include "tabs/tab_collection.h"

namespace pelquin {

class ButtonBar;
class StatusArea;
class TabStrip;

// The main window's controls that follow the tabs.
struct TabControls {
    TabStrip &tabStrip;
    ButtonBar &buttons;
    TabCollection &tabs;
    StatusArea &status;
};

}  // namespace pelquin
