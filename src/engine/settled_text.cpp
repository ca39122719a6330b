#include "engine/settled_text.h"

#include <QPointer>
#include <QTimer>

namespace pelquin {

void SettledText::read(Done done)
{
    auto reading = std::make_shared<Reading>();
    reading->done = std::move(done);
    reading->since.start();
    m_pending.append(reading);
    check(reading);
}

void SettledText::check(const std::shared_ptr<Reading> &reading)
{
    const QPointer<SettledText> alive(this);
    m_quiet([this, alive, reading](double quietMs) {
        if (!alive || reading->delivered)
            return;
        if (quietMs >= kQuietMs || reading->since.elapsed() >= kLongestMs)
            return readNow(reading);
        QTimer::singleShot(kPollMs, this, [this, reading] {
            if (!reading->delivered)
                check(reading);
        });
    });
}

void SettledText::readNow(const std::shared_ptr<Reading> &reading)
{
    reading->delivered = true;
    m_pending.removeOne(reading);
    m_text(reading->done);
}

void SettledText::loadStarted()
{
    const QList<std::shared_ptr<Reading>> pending = m_pending;
    for (const std::shared_ptr<Reading> &reading : pending)
        readNow(reading);
}

}  // namespace pelquin
