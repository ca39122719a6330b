#pragma once

#include <QObject>
#include <QTimer>

#include <functional>

namespace pelquin {

class IdlePointer;
class ScreenSaverHold;

// A screen nobody sits at (the tabs rotate, or the window fills the screen in expert mode)
// stays on and shows no resting pointer; as soon as it is a desktop's window again, the
// screen saver and the pointer are the desktop's.
class WallScreen : public QObject {
    Q_OBJECT
public:
    // The bars and the rotation change by many ways (keys, menu, page script, Setup,
    // Internet Options): they are looked at this often.
    static constexpr int kCheckMs = 1000;

    WallScreen(ScreenSaverHold &screenSaver, IdlePointer &pointer,
               std::function<bool()> unattended, QObject *parent = nullptr);

    // Holds or lets go as the window is now.
    void update();
    bool holding() const { return m_holding; }
    const QTimer &checkTimer() const { return m_checkTimer; }

private:
    ScreenSaverHold &m_screenSaver;
    IdlePointer &m_pointer;
    std::function<bool()> m_unattended;
    QTimer m_checkTimer;
    bool m_holding = false;
};

}  // namespace pelquin
