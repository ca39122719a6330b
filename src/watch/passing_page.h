#pragma once

#include "tabs/tab_controls.h"

#include <QDateTime>
#include <QObject>
#include <QString>
#include <QTimer>

namespace pelquin {

class Clock;
class FreeTabs;

// Shows an address for a while in the selected tab's place (a doorbell camera on a wall
// screen), then the tab that was shown before, as it was. The address loads in a free tab
// that is selected meanwhile and emptied afterwards, so the page that was shown is never
// touched: no reload, no lost scroll or typed words. Another address shown meanwhile takes
// the free tab's place and time; a tab chosen meanwhile stays chosen.
class PassingPage : public QObject {
    Q_OBJECT
public:
    PassingPage(TabControls controls, FreeTabs &freeTabs, const Clock &clock,
                QObject *parent = nullptr);

    // Shows `address` for `seconds`; the tab it shows in, or 0 when no tab is free.
    int show(const QString &address, int seconds);
    // An address is being shown for a while.
    bool active() const { return m_passing != 0; }
    int passingTab() const { return m_passing; }
    const QDateTime &until() const { return m_until; }
    const QTimer &timer() const { return m_timer; }

    // Once the time has passed, what was shown before shows again.
    void onTick();

private:
    void putBack();

    TabControls m_c;
    FreeTabs &m_freeTabs;
    const Clock &m_clock;
    QTimer m_timer;
    int m_passing = 0;  // the tab the address shows in
    int m_before = 0;   // the tab shown before
    QDateTime m_until;
};

}  // namespace pelquin
