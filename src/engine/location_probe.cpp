#include "engine/location_probe.h"

#include <QCoreApplication>
#include <QGeoPositionInfoSource>
#include <QPointer>

#include <vector>

namespace pelquin {

namespace {

// A source that gives no position in this time is as good as none to a waiting page.
constexpr int kProbeMs = 4000;

// The engine takes its positions from the same default source: one probe answers for all.
class LocationProbe final : public QObject {
public:
    using QObject::QObject;

    void whenKnown(QObject *context, std::function<void(bool)> done)
    {
        if (m_state == State::Available || m_state == State::Unavailable) {
            done(m_state == State::Available);
            return;
        }
        m_waiting.push_back({QPointer<QObject>(context), std::move(done)});
        if (m_state == State::Unknown)
            start();
    }

private:
    enum class State { Unknown, Probing, Available, Unavailable };

    void start()
    {
        m_state = State::Probing;
        m_source = QGeoPositionInfoSource::createDefaultSource(this);
        if (!m_source)
            return finish(false);
        connect(m_source, &QGeoPositionInfoSource::positionUpdated, this,
                [this] { finish(true); });
        connect(m_source, &QGeoPositionInfoSource::errorOccurred, this,
                [this] { finish(false); });
        m_source->requestUpdate(kProbeMs);
    }

    void finish(bool available)
    {
        if (m_state != State::Probing)
            return;
        m_state = available ? State::Available : State::Unavailable;
        if (m_source) {
            m_source->disconnect(this);
            m_source->deleteLater();
            m_source = nullptr;
        }
        const auto waiting = std::move(m_waiting);
        m_waiting.clear();
        for (const auto &[context, done] : waiting) {
            if (context)
                done(available);
        }
    }

    State m_state = State::Unknown;
    QGeoPositionInfoSource *m_source = nullptr;
    std::vector<std::pair<QPointer<QObject>, std::function<void(bool)>>> m_waiting;
};

}  // namespace

void whenLocationKnown(QObject *context, std::function<void(bool available)> done)
{
    // One for the run, going down with the application.
    static QPointer<LocationProbe> probe;
    if (!probe)
        probe = new LocationProbe(QCoreApplication::instance());
    probe->whenKnown(context, std::move(done));
}

}  // namespace pelquin
