#include "platform/desktop_notifier.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QVariantMap>

namespace pelquin {

namespace {
const QString kService = QStringLiteral("org.freedesktop.Notifications");
const QString kPath = QStringLiteral("/org/freedesktop/Notifications");
const QString kInterface = QStringLiteral("org.freedesktop.Notifications");
const QString kOpenAction = QStringLiteral("default");
constexpr int kShownMs = 10000;
}  // namespace

SessionBusNotifier::SessionBusNotifier(const QString &appName, QObject *parent)
    : DesktopNotifier(parent), m_appName(appName)
{
}

void SessionBusNotifier::notify(int key, const QString &summary, const QString &body)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return;
    if (!m_listening) {
        m_listening = bus.connect(kService, kPath, kInterface, QStringLiteral("ActionInvoked"),
                                  this, SLOT(onActionInvoked(uint, QString)));
    }
    QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kInterface,
                                                       QStringLiteral("Notify"));
    call << m_appName << m_shown.value(key, 0u) << QString() << summary << body
         << QStringList{kOpenAction, QStringLiteral("Show")} << QVariantMap() << kShownMs;
    // Never waited for: a missing or slow service must not hold the window.
    auto *watcher = new QDBusPendingCallWatcher(bus.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, key](QDBusPendingCallWatcher *done) {
                const QDBusPendingReply<uint> reply = *done;
                if (!reply.isError())
                    m_shown.insert(key, reply.value());
                done->deleteLater();
            });
}

void SessionBusNotifier::onActionInvoked(uint id, const QString &action)
{
    if (action != kOpenAction)
        return;
    for (auto shown = m_shown.cbegin(); shown != m_shown.cend(); ++shown) {
        if (shown.value() == id) {
            emit clicked(shown.key());
            return;
        }
    }
}

}  // namespace pelquin
