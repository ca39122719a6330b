#pragma once

#include <QObject>

class QSocketNotifier;

namespace pelquin {

// Turns SIGTERM, SIGINT and SIGHUP into a signal on the UI thread, so that a terminated
// program still closes its main window properly.
class TerminationWatcher : public QObject {
    Q_OBJECT
public:
    // A process that has not ended this many seconds after the first signal is killed:
    // a dialog, a disk or the engine must never keep a terminated program alive.
    static constexpr unsigned kGraceSeconds = 5;

    explicit TerminationWatcher(QObject *parent = nullptr);
    ~TerminationWatcher() override;

    // Whether a signal has arrived.
    bool requested() const { return m_requested; }

signals:
    void terminationRequested();

private:
    void onReadable();

    QSocketNotifier *m_notifier = nullptr;
    bool m_requested = false;
};

}  // namespace pelquin
