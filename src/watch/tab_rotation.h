#pragma once

#include <QDateTime>
#include <QObject>
#include <QTimer>

#include <functional>
#include <vector>

namespace pelquin {

class Clock;
class TabCollection;
class TabStrip;

// Shows each tab that has a page in turn, for a screen on a wall: every few seconds the
// next one in tab order is selected. The user's own keys and clicks pause it for a minute.
class TabRotation : public QObject {
    Q_OBJECT
public:
    static constexpr int kPauseSeconds = 60;

    TabRotation(TabCollection &tabs, TabStrip &strip, const Clock &clock,
                QObject *parent = nullptr);

    // Every `seconds` (kMinRotateSeconds to kMaxRotateSeconds) the next tab; 0 stops.
    void setInterval(int seconds);
    int interval() const { return m_seconds; }
    // While one of these says so, the turn is skipped (a dialog or the wall of tabs is open,
    // a page is shown for a while).
    void addHold(std::function<bool()> held) { m_holds.push_back(std::move(held)); }
    // The user pressed a key or clicked: the next minute is theirs.
    void userActed();
    bool paused() const;
    const QTimer &timer() const { return m_timer; }

    // The turn: selects the next tab that has a page after the selected one.
    void onTick();

private:
    TabCollection &m_tabs;
    TabStrip &m_strip;
    const Clock &m_clock;
    QTimer m_timer;
    std::vector<std::function<bool()>> m_holds;
    QDateTime m_pausedUntil;
    int m_seconds = 0;
};

}  // namespace pelquin
