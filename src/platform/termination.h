#pragma once

#include <QObject>

class QSocketNotifier;

namespace pelquin {

// Turns SIGTERM, SIGINT and SIGHUP into a signal on the UI thread, so that a terminated
// program still closes its main window properly.
class TerminationWatcher : public QObject {
    Q_OBJECT
public:
    explicit TerminationWatcher(QObject *parent = nullptr);
    ~TerminationWatcher() override;

signals:
    void terminationRequested();

private:
    void onReadable();

    QSocketNotifier *m_notifier = nullptr;
};

}  // namespace pelquin
