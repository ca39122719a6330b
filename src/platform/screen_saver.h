#pragma once

#include <QObject>
#include <QString>

#include <optional>

namespace pelquin {

// Keeps the desktop's screen saver away while held.
class ScreenSaverHold {
public:
    virtual ~ScreenSaverHold() = default;
    // Holds the screen saver off for `reason`; holding again changes nothing.
    virtual void hold(const QString &reason) = 0;
    virtual void release() = 0;
};

// The desktop's screen saver service on the session bus (org.freedesktop.ScreenSaver):
// Inhibit gives a cookie that UnInhibit hands back. Without the service nothing happens,
// and that is said once on standard error.
class SessionBusScreenSaver final : public QObject, public ScreenSaverHold {
    Q_OBJECT
public:
    explicit SessionBusScreenSaver(const QString &appName, QObject *parent = nullptr);
    ~SessionBusScreenSaver() override;

    void hold(const QString &reason) override;
    void release() override;

private:
    void inhibit(const QString &reason);
    void unInhibit();

    QString m_appName;
    bool m_wanted = false;
    bool m_asking = false;  // an Inhibit call has no answer yet
    bool m_unavailable = false;
    std::optional<uint> m_cookie;
};

}  // namespace pelquin
