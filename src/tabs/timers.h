#pragma once

#include "tabs/browser_pool.h"

#include <QObject>
#include <QTimer>

#include <functional>

namespace pelquin {

class Clock;
class ErrorReporter;
struct Session;

// Timer1 (every 20 seconds: load timeout, automatic refresh, staged loading) and Timer2
// (once, half a second after the Setup dialog loaded a profile: the staged loading anew).
class Timers : public QObject {
    Q_OBJECT
public:
    static constexpr int kTimer1Interval = 20000;
    static constexpr int kTimer2Interval = 500;
    static constexpr int kLoadTimeoutSeconds = 119;

    Timers(Session &session, TabControls controls, ErrorReporter &errors, const Clock &clock,
           std::function<void()> doStartup, QObject *parent = nullptr);

    QTimer &timer1() { return m_timer1; }
    QTimer &timer2() { return m_timer2; }

    void timer1Tick();
    void timer2Tick();

private:
    Session &m_session;
    TabControls m_c;
    ErrorReporter &m_errors;
    const Clock &m_clock;
    std::function<void()> m_doStartup;
    QTimer m_timer1;
    QTimer m_timer2;
};

}  // namespace pelquin
