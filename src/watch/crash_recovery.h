#pragma once

#include "tabs/tab_controls.h"

#include <QObject>
#include <QTimer>

#include <functional>

namespace pelquin {

class BrowserTab;
class Clock;

// Brings crashed pages back: a page whose process ended is loaded again 5 s later when no one
// is there to press Refresh (its tab is not selected, or the wall is shown, the tabs rotate,
// or the window is in expert mode). A page that no longer answers is ended and comes back the
// same way. After 3 crashes of one tab within 10 minutes it stops and
// its crash page says so: never a reload loop.
class CrashRecovery : public QObject {
    Q_OBJECT
public:
    static constexpr int kReloadAfterSeconds = 5;
    static constexpr int kMostCrashes = 3;
    static constexpr int kWithinMinutes = 10;
    static constexpr int kTickMs = 1000;
    // How often every page is asked whether it still answers, and how long it may take.
    static constexpr int kProbeEverySeconds = 60;
    static constexpr int kAnswerWithinMs = 30000;

    // `unattended` says whether a crashed page of `tab` may be loaded again by itself.
    CrashRecovery(TabControls controls, const Clock &clock,
                  std::function<bool(const BrowserTab &)> unattended, QObject *parent);

    // Loads again the pages whose time has come.
    void onTick();
    // Asks every page that shows whether it still answers; one that does not is ended and
    // comes back as a crashed page does.
    void probePages();

private:
    void crashed(BrowserTab &tab);

    TabControls m_c;
    const Clock &m_clock;
    std::function<bool(const BrowserTab &)> m_unattended;
    QTimer m_tick;
    QTimer m_probe;
};

}  // namespace pelquin
