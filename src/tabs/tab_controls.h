#pragma once

#include "tabs/status_line.h"
#include "tabs/tab_collection.h"

namespace pelquin {

class TabStrip;

// What the parts that follow the tabs may reach of the window: the strip, the tabs and the
// status line.
struct TabControls {
    TabStrip &tabStrip;
    TabCollection &tabs;
    StatusLine &status;
};

}  // namespace pelquin
