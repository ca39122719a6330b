#pragma once

#include "tabs/tab_controls.h"

namespace pelquin {

class ErrorReporter;
class SpeedMenu;
class SponsorSite;
struct Session;

// Back, Forward, Stop, Refresh, Home, Search and Print on the selected tab, and the Home
// button's hover hint.
class NavigationCommands {
public:
    // Back and Forward go grey, and Home names the home page, through `menu`'s items, which
    // their buttons show.
    NavigationCommands(Session &session, TabControls controls, SpeedMenu &menu,
                       const SponsorSite &sponsor, ErrorReporter &errors);

    void goBack();
    void goForward();
    void stop();
    void refresh();
    // Refresh, with the page loaded past the cache.
    void refreshPastCache();
    void goHome();
    void search();
    void print();
    // The mouse moved over the button bar: Home's tooltip names the selected tab's home.
    void homeHint();

private:
    int selected() const;
    void history(HistoryDirection direction);
    void reload(void (BrowserControl::*how)());

    Session &m_session;
    TabControls m_c;
    SpeedMenu &m_menu;
    const SponsorSite &m_sponsor;
    ErrorReporter &m_errors;
};

}  // namespace pelquin
