#pragma once

#include "tabs/tab_controls.h"

#include <QObject>
#include <QTimer>

#include <functional>

namespace pelquin {

class Clock;
class ErrorReporter;
struct Session;

// The refresh timer (every 20 seconds: load timeout, automatic refresh, staged loading) and
// the restart timer (once, half a second after Setup loaded a profile: staged loading anew).
class Timers : public QObject {
    Q_OBJECT
public:
    static constexpr int kRefreshInterval = 20000;
    static constexpr int kRestartDelay = 500;
    static constexpr int kLoadTimeoutSeconds = 119;

    Timers(Session &session, TabControls controls, ErrorReporter &errors, const Clock &clock,
           std::function<void()> startNextTabs, QObject *parent = nullptr);

    QTimer &refreshTimer() { return m_refreshTimer; }
    QTimer &restartTimer() { return m_restartTimer; }

    void onRefreshTick();
    void onRestartTick();

private:
    Session &m_session;
    TabControls m_c;
    ErrorReporter &m_errors;
    const Clock &m_clock;
    std::function<void()> m_startNextTabs;
    QTimer m_refreshTimer;
    QTimer m_restartTimer;
};

}  // namespace pelquin
