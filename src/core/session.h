// core/: the run-wide state and the plain types every folder shares (tab tables, profile,
// address history, typed addresses), and the seams to the browsers and the main window.

#pragma once

#include "core/address_history.h"
#include "core/tab_settings.h"
#include "core/startup_notice.h"
#include "core/tab_state.h"

#include <QString>

namespace pelquin {

// The process-wide tables and flags that live for the whole run.
struct Session {
    QString appFolder;
    int platformId = 2;  // 1 would be the old family with a History folder of its own
    StartupNotice notice;
    TabRun tabs;
    TabSettings settings;
    AddressHistory history;

    bool activated = false;     // the first activation has been done
    bool modifierHeld = false;  // Shift, Ctrl or Alt at the last key press or release
    bool profileLoaded = false;
    bool reloadAfterSetup = false;
};

}  // namespace pelquin
