#pragma once

#include "tabs/refresh_pauses.h"
#include "tabs/tab_controls.h"

namespace pelquin {

class BrowserTab;

class ErrorReporter;
class Trap;
struct Session;

// startNextTabs: one pass of the staged loading of the tabs' home pages. Tabs that do not pause
// start at once; a pausing tab starts only when no started tab is still loading.
class StagedLoading {
public:
    StagedLoading(Session &session, TabControls controls, const RefreshPauses &pauses,
                  ErrorReporter &errors);

    void startNextTabs();

private:
    void start(BrowserTab &tab, bool clearCaption, Trap &trap);

    Session &m_session;
    TabControls m_c;
    const RefreshPauses &m_pauses;
    ErrorReporter &m_errors;
};

}  // namespace pelquin
