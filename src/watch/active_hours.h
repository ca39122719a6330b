#pragma once

#include <QObject>
#include <QTimer>

namespace pelquin {

class BrowserTab;
class Clock;
class TabCollection;
class WatchedPages;

// Keeps each tab to its watch rule's hours: outside them the tab is paused until its next
// start and its page frozen (once loaded: the start-up still loads it); when they begin it
// thaws and is refreshed once.
class ActiveHours : public QObject {
    Q_OBJECT
public:
    static constexpr int kCheckMs = 15000;

    ActiveHours(TabCollection &tabs, WatchedPages &pages, const Clock &clock, QObject *parent);

    // Every tab paused or going on, as its rule's hours say now.
    void check();

private:
    void checkTab(BrowserTab &tab, const QDateTime &now);

    TabCollection &m_tabs;
    WatchedPages &m_pages;
    const Clock &m_clock;
    QTimer m_timer;
};

}  // namespace pelquin
