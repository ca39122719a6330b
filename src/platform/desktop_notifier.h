#pragma once

#include <QHash>
#include <QObject>
#include <QString>

namespace pelquin {

// Short messages beside the desktop's others; clicking one tells the program which it was.
class DesktopNotifier : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    // Shows the message; a newer one of the same `key` takes its place. Without a
    // notification service nothing happens.
    virtual void notify(int key, const QString &summary, const QString &body) = 0;

signals:
    void clicked(int key);
};

// The freedesktop notification service on the session bus.
class SessionBusNotifier final : public DesktopNotifier {
    Q_OBJECT
public:
    explicit SessionBusNotifier(const QString &appName, QObject *parent = nullptr);
    void notify(int key, const QString &summary, const QString &body) override;

private slots:
    void onActionInvoked(uint id, const QString &action);

private:
    QString m_appName;
    QHash<int, uint> m_shown;  // the service's number of each key's message
    bool m_listening = false;
};

}  // namespace pelquin
