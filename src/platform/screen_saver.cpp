#include "platform/screen_saver.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>

#include <cstdio>

namespace pelquin {

namespace {
const QString kService = QStringLiteral("org.freedesktop.ScreenSaver");
const QString kPath = QStringLiteral("/org/freedesktop/ScreenSaver");
const QString kInterface = QStringLiteral("org.freedesktop.ScreenSaver");
}  // namespace

SessionBusScreenSaver::SessionBusScreenSaver(const QString &appName, QObject *parent)
    : QObject(parent), m_appName(appName)
{
}

SessionBusScreenSaver::~SessionBusScreenSaver()
{
    // The service also lets go of a program that leaves the bus; saying so is quicker.
    release();
}

void SessionBusScreenSaver::hold(const QString &reason)
{
    if (m_wanted)
        return;
    m_wanted = true;
    if (!m_cookie && !m_asking && !m_unavailable)
        inhibit(reason);
}

void SessionBusScreenSaver::release()
{
    m_wanted = false;
    if (m_cookie)
        unInhibit();
}

void SessionBusScreenSaver::inhibit(const QString &reason)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        m_unavailable = true;
        return;
    }
    m_asking = true;
    QDBusMessage call =
        QDBusMessage::createMethodCall(kService, kPath, kInterface, QStringLiteral("Inhibit"));
    call << m_appName << reason;
    auto *watcher = new QDBusPendingCallWatcher(bus.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this](QDBusPendingCallWatcher *done) {
                done->deleteLater();
                m_asking = false;
                const QDBusPendingReply<uint> reply = *done;
                if (reply.isError()) {
                    // Asked once a run: a desktop without the service stays without it.
                    m_unavailable = true;
                    std::fprintf(stderr, "pelquin: the screen saver cannot be held off: %s\n",
                                 qPrintable(reply.error().message()));
                    return;
                }
                m_cookie = reply.value();
                if (!m_wanted)
                    unInhibit();  // released while the service was answering
            });
}

void SessionBusScreenSaver::unInhibit()
{
    QDBusMessage call =
        QDBusMessage::createMethodCall(kService, kPath, kInterface, QStringLiteral("UnInhibit"));
    call << *m_cookie;
    m_cookie.reset();
    QDBusConnection::sessionBus().asyncCall(call);
}

}  // namespace pelquin
