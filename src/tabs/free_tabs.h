#pragma once

#include "tabs/tab_controls.h"

#include <QList>
#include <QObject>
#include <QStringList>

namespace pelquin {

class ErrorReporter;
struct Session;

// Addresses that come from outside a tab (the command line, a later start of the program,
// the page's "Open link in new tab") open in the first tab after the two sponsor tabs that
// shows no page, as if typed into that tab's address bar.
class FreeTabs : public QObject {
    Q_OBJECT
public:
    FreeTabs(Session &session, TabControls controls, ErrorReporter &errors, QObject *parent);

    // 0 when every tab holds a page (or has a home page still to load).
    int firstFree() const;
    // Opens each address that may come from outside in the next free tab and selects the
    // first of them; the tabs used. Addresses without a free tab are left out.
    QList<int> openFromOutside(const QStringList &addresses);
    // The user opens a link of tab `from`'s page in a new tab: the selected tab stays
    // unless `select`. Without a free tab the status bar says so.
    int openLinkFrom(int from, const QString &address, bool select = false);
    // Opens the address in the tab as if typed into its address bar.
    void openTyped(BrowserTab &tab, const QString &address);
    // Empties the tab: its blank page shows no caption, tooltip or address, and it is free.
    void empty(BrowserTab &tab);

private:
    Session &m_session;
    TabControls m_c;
    ErrorReporter &m_errors;
    // Tabs given an address whose navigation has not begun yet.
};

}  // namespace pelquin
