#include "platform/desktop_notifier.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QVariantMap>

#include <utility>

namespace pelquin {

namespace {
const QString kService = QStringLiteral("org.freedesktop.Notifications");
const QString kPath = QStringLiteral("/org/freedesktop/Notifications");
const QString kInterface = QStringLiteral("org.freedesktop.Notifications");
const QString kOpenAction = QStringLiteral("default");
constexpr int kShownMs = 10000;
constexpr int kLongestBody = 300;
}  // namespace

QString noticeBody(const QString &text, bool serviceReadsMarkup)
{
    QString body = text.size() > kLongestBody ? text.left(kLongestBody - 1) + QChar(0x2026)
                                              : text;
    return serviceReadsMarkup ? body.toHtmlEscaped() : body;
}

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
    if (m_markup == Markup::Read || m_markup == Markup::NotRead)
        return send(Notice{key, summary, body}, m_markup == Markup::Read);
    // A newer notice of the same key takes the waiting one's place.
    m_waiting.removeIf([key](const Notice &waiting) { return waiting.key == key; });
    m_waiting.append(Notice{key, summary, body});
    askCapabilities();
}

void SessionBusNotifier::askCapabilities()
{
    if (m_markup != Markup::Unknown)
        return;
    m_markup = Markup::Asking;
    QDBusConnection bus = QDBusConnection::sessionBus();
    const QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kInterface,
                                                             QStringLiteral("GetCapabilities"));
    auto *watcher = new QDBusPendingCallWatcher(bus.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this](QDBusPendingCallWatcher *done) {
                const QDBusPendingReply<QStringList> reply = *done;
                done->deleteLater();
                // No answer: markup is assumed, so page text can never become markup, and
                // the next notice asks again (the service may start later).
                const bool markup = reply.isError() ||
                                    reply.value().contains(QStringLiteral("body-markup"));
                m_markup = reply.isError() ? Markup::Unknown
                                           : markup ? Markup::Read : Markup::NotRead;
                for (const Notice &notice : std::exchange(m_waiting, {}))
                    send(notice, markup);
            });
}

void SessionBusNotifier::send(const Notice &notice, bool markup)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    const int key = notice.key;
    QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kInterface,
                                                       QStringLiteral("Notify"));
    call << m_appName << m_shown.value(key, 0u) << QString() << notice.summary
         << noticeBody(notice.body, markup)
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
