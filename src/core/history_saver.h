#pragma once

#include <QDateTime>
#include <QObject>
#include <QTimer>

#include <functional>

class QAbstractItemModel;

namespace pelquin {

class Clock;

// Keeps the history file up to date during the run: a change is written a few seconds
// after it was made, so a crash or a power cut loses no more than those seconds. Changes
// that follow each other closely are written once.
class HistorySaver final : public QObject {
    Q_OBJECT
public:
    static constexpr int kDelaySeconds = 3;

    // `save` writes the file and says whether it could; a failed write is tried again.
    HistorySaver(const Clock &clock, std::function<bool()> save, QObject *parent = nullptr);

    // Every change of `history` from now on is saved.
    void watch(QAbstractItemModel &history);
    void changed();
    // Writes the file when a change has waited long enough; the timer calls it each second.
    void tick();
    bool pending() const { return m_changedAt.isValid(); }

private:
    const Clock &m_clock;
    std::function<bool()> m_save;
    QDateTime m_changedAt;  // the first change not yet written
    QTimer m_timer;
};

}  // namespace pelquin
