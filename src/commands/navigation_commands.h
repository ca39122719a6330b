#pragma once

#include "tabs/tab_controls.h"

namespace pelquin {

class ErrorReporter;
class SponsorSite;
struct Session;

// Back, Forward, Stop, Refresh, Home, Search and Print on the selected tab, and the Home
// button's hover hint.
class NavigationCommands {
public:
    NavigationCommands(Session &session, TabControls controls, const SponsorSite &sponsor,
                       ErrorReporter &errors);

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
    const SponsorSite &m_sponsor;
    ErrorReporter &m_errors;
};

}  // namespace pelquin
