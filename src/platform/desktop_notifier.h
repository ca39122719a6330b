#pragma once

#include <QHash>
#include <QList>
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

// The body of a notice for text a page chose: cut to a few lines' length, and escaped when
// the service reads markup in bodies, so that the text shows as it is.
QString noticeBody(const QString &text, bool serviceReadsMarkup);

// The freedesktop notification service on the session bus.
class SessionBusNotifier final : public DesktopNotifier {
    Q_OBJECT
public:
    explicit SessionBusNotifier(const QString &appName, QObject *parent = nullptr);
    void notify(int key, const QString &summary, const QString &body) override;

private slots:
    void onActionInvoked(uint id, const QString &action);

private:
    struct Notice {
        int key;
        QString summary;
        QString body;
    };
    void askCapabilities();
    void send(const Notice &notice, bool markup);

    QString m_appName;
    QHash<int, uint> m_shown;  // the service's number of each key's message
    bool m_listening = false;
    // Whether the service reads markup in bodies; until it has said, notices wait here.
    enum class Markup { Unknown, Asking, Read, NotRead } m_markup = Markup::Unknown;
    QList<Notice> m_waiting;
};

}  // namespace pelquin
