#pragma once

#include "tabs/refresh_pauses.h"
#include "tabs/tab_controls.h"

#include <QObject>
#include <QTimer>

#include <deque>
#include <functional>

namespace pelquin {

class Clock;
class ErrorReporter;
struct Session;

// The refresh timer (every 20 seconds: load timeout, automatic refresh, staged loading) and
// the restart timer (once, half a second after Setup loaded a profile: staged loading anew).
// The refresh timer keeps every reason it is paused for, and stands still while it has one.
class Timers : public QObject {
    Q_OBJECT
public:
    static constexpr int kRefreshInterval = 20000;
    static constexpr int kRestartDelay = 500;
    static constexpr int kLoadTimeoutSeconds = 119;
    // How long a page may take to say whether it holds typed words.
    static constexpr int kTypingAnswerSeconds = 30;
    // Tabs due in the same tick start their refresh this far apart, not all at once.
    static constexpr int kRefreshSpacingMs = 250;
    // The soonest the timer wakes again for a failing tab's next try.
    static constexpr int kRetryFloorMs = 1000;

    Timers(Session &session, TabControls controls, ErrorReporter &errors, const Clock &clock,
           std::function<void()> startNextTabs, QObject *parent = nullptr);

    const QTimer &refreshTimer() const { return m_refreshTimer; }
    QTimer &restartTimer() { return m_restartTimer; }

    // The automatic refresh runs from the window's load on, except while paused.
    void startRefresh();
    // The refresh waits for `reason`; it runs again when no reason is left.
    void pause(RefreshPause reason);
    void resume(RefreshPause reason);
    const RefreshPauses &pauses() const { return m_pauses; }
    // Setup loaded a profile: when Setup closes, the staged loading starts anew.
    void restartWhenSetupCloses() { m_restartWhenSetupCloses = true; }
    bool restartPending() const { return m_restartWhenSetupCloses; }

    void onRefreshTick();
    // The next tab due in the last tick starts its refresh.
    void onSpacingTick();
    // Tabs still waiting for their turn of the last tick.
    int queuedRefreshes() const { return int(m_queued.size()); }
    // Refreshes the tab's page, unless it holds words typed and not sent (asked of the page,
    // which answers later).
    void refreshUnlessTyped(BrowserTab &tab);
    void onRestartTick();
    // A tab this says so for is not refreshed now (it is on a wall screen's turn).
    void setRefreshHold(std::function<bool(const BrowserTab &)> held)
    {
        m_refreshHeld = std::move(held);
    }
    // The network came back: every failing tab tries again at once.
    void tryFailingTabsNow();
    // The user asked a failing tab to try again at once.
    void tryNow(BrowserTab &tab);

private:
    // Wakes for the earliest failing tab's next try.
    void scheduleRetry();
    void onRetryTick();
    // Every tab due for its refresh joins the queue, which starts them a moment apart.
    void queueDueTabs(const QDateTime &now);

    Session &m_session;
    TabControls m_c;
    ErrorReporter &m_errors;
    const Clock &m_clock;
    std::function<void()> m_startNextTabs;
    QTimer m_refreshTimer;
    QTimer m_restartTimer;
    QTimer m_spacingTimer;
    QTimer m_retryTimer;
    std::function<bool(const BrowserTab &)> m_refreshHeld;
    std::deque<BrowserTab *> m_queued;  // in tab order
    RefreshPauses m_pauses;
    bool m_refreshStarted = false;
    bool m_restartWhenSetupCloses = false;
};

}  // namespace pelquin
