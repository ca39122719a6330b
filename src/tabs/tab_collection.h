// tabs/: the tabs (their collection, strip, buttons, status) and what runs per tab: staged
// loading, timers, page dialogs and notes, free tabs.

#pragma once

#include "tabs/browser_tab.h"

#include <QObject>

#include <deque>
#include <functional>

class QWidget;

namespace pelquin {

class AddressHistory;
class BrowserFactory;

// The 30 tabs, numbered 1 to 30. Every tab's browser keeps loading; only the front one is
// shown, the others are hidden and never drawn. Every address box lists the one shared
// history; each box's text belongs to its tab alone.
class TabCollection : public QObject {
    Q_OBJECT
public:
    // The pages and address boxes are children of `window`.
    TabCollection(BrowserFactory &factory, AddressHistory &history, TabContext context,
                  QWidget *window);

    // Raises 9 (Subscript out of range) outside 1 to 30.
    BrowserTab &tab(int number) const;
    bool contains(int number) const { return number >= 1 && number <= count(); }
    int count() const { return int(m_tabs.size()); }
    auto begin() { return m_tabs.begin(); }
    auto end() { return m_tabs.end(); }
    auto begin() const { return m_tabs.begin(); }
    auto end() const { return m_tabs.end(); }

    // Brings tab t's page to the front: shown, all others hidden and out of full screen.
    void bringToFront(int number);
    int front() const { return m_front; }

    // The first of the first `shown` tabs after tab `from` in tab order, going round, that is
    // `wanted`; null when none is. A `from` outside them starts at the first.
    BrowserTab *nextAfter(int from, int shown,
                          const std::function<bool(const BrowserTab &)> &wanted) const;

    // True when no tab is both started and loading.
    bool allStartedTabsLoaded() const;
    // True when some tab is not started or still loading.
    bool startupPending() const;

private:
    // A box takes the list's first entry as its text when the list is filled, and drops
    // its text when the list is emptied: each box's text is kept across both.
    void holdAddresses();
    void restoreAddresses();

    mutable std::deque<BrowserTab> m_tabs;
    int m_front = 0;
};

}  // namespace pelquin
