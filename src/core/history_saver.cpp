#include "core/history_saver.h"

#include "platform/clock.h"

#include <QAbstractItemModel>

namespace pelquin {

HistorySaver::HistorySaver(const Clock &clock, std::function<bool()> save, QObject *parent)
    : QObject(parent), m_clock(clock), m_save(std::move(save))
{
    // Runs only while something waits to be written: an idle program never wakes for it.
    m_timer.setInterval(1000);
    connect(&m_timer, &QTimer::timeout, this, &HistorySaver::tick);
}

void HistorySaver::watch(QAbstractItemModel &history)
{
    connect(&history, &QAbstractItemModel::rowsInserted, this, &HistorySaver::changed);
    connect(&history, &QAbstractItemModel::rowsRemoved, this, &HistorySaver::changed);
    connect(&history, &QAbstractItemModel::dataChanged, this, &HistorySaver::changed);
    connect(&history, &QAbstractItemModel::modelReset, this, &HistorySaver::changed);
}

void HistorySaver::changed()
{
    if (!m_changedAt.isValid())
        m_changedAt = m_clock.now();
    if (!m_timer.isActive())
        m_timer.start();
}

void HistorySaver::tick()
{
    if (!m_changedAt.isValid()) {
        m_timer.stop();
        return;
    }
    if (m_changedAt.secsTo(m_clock.now()) < kDelaySeconds)
        return;
    if (!m_save()) {
        // Tried again after another delay; the write at the end still reports the error.
        m_changedAt = m_clock.now();
        return;
    }
    m_changedAt = QDateTime();
    m_timer.stop();
}

}  // namespace pelquin
