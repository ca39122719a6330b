#pragma once

#include "tabs/tab_controls.h"

#include <QDateTime>
#include <QObject>
#include <QPointer>
#include <QTimer>

#include <functional>
#include <vector>

namespace pelquin {

class Clock;

// Shows each tab that has a page in turn, for a screen on a wall: when the shown tab's time
// is over, the next one in tab order is selected. Only ready pages are shown: a tab due for
// its refresh is refreshed out of sight before its turn and skipped while still loading;
// tabs failing or outside their hours are left out. The user's own keys and clicks pause it
// for a minute.
class TabRotation : public QObject {
    Q_OBJECT
public:
    static constexpr int kPauseSeconds = 60;
    // How long before its turn a tab due for its refresh is refreshed, out of sight.
    static constexpr int kPrepareSeconds = 15;

    // `ownSeconds` is a tab's own time on screen, 0 for the rotation's interval.
    TabRotation(TabControls controls, const Clock &clock,
                std::function<int(const BrowserTab &)> ownSeconds, QObject *parent = nullptr);

    // Every `seconds` (kMinRotateSeconds to kMaxRotateSeconds) the next tab; 0 stops.
    void setInterval(int seconds);
    int interval() const { return m_seconds; }
    // While one of these says so, the turn is skipped (a dialog or the wall of tabs is open,
    // a page is shown for a while).
    void addHold(std::function<bool()> held) { m_holds.push_back(std::move(held)); }
    // The user pressed a key or clicked: the next minute is theirs.
    void userActed();
    bool paused() const;
    // Runs every second while the tabs rotate.
    const QTimer &timer() const { return m_timer; }

    // Whether the tab's automatic refresh has to wait: the rotation shows it.
    bool holdsRefreshOf(const BrowserTab &tab) const;
    // How long the tab stays on screen, in seconds.
    int secondsFor(const BrowserTab &tab) const;
    // The tab the next turn is meant to show; null when there is none to go to.
    BrowserTab *upcoming() const;

    // The turn: selects the next ready tab after the selected one.
    void onTick();
    // Each second: the turn once the shown tab's time is over, the next tab's refresh ahead
    // of its turn, and the status line's "Next: Tab 7 in 12 s".
    void onSecond();

private:
    bool held() const;
    // Refreshes the upcoming tab out of sight when it would be due while shown.
    void prepare(BrowserTab &next, const QDateTime &turnStarts);

    TabControls m_c;
    const Clock &m_clock;
    std::function<int(const BrowserTab &)> m_ownSeconds;
    QTimer m_timer;
    std::vector<std::function<bool()>> m_holds;
    QDateTime m_pausedUntil;
    QDateTime m_turnEnds;
    QPointer<BrowserTab> m_prepared;  // refreshed ahead of its coming turn
    int m_seconds = 0;
};

}  // namespace pelquin
