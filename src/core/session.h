// core/: the run-wide state and the plain types every folder shares (tab tables, profile,
// address history, typed addresses), and the seams to the browsers and the main window.

#pragma once

#include "core/address_history.h"
#include "core/tab_settings.h"
#include "core/startup_notice.h"
#include "core/tab_state.h"

#include <QString>

namespace pelquin {

// What the whole run shares: the application folder, the start-up notice, the profile, the
// address history and what the tabs share. Everything else lives with the part that owns it.
struct Session {
    QString appFolder;
    StartupNotice notice;
    TabRun tabs;
    TabSettings settings;
    AddressHistory history;
};

}  // namespace pelquin
