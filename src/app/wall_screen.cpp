#include "app/wall_screen.h"

#include "platform/idle_pointer.h"
#include "platform/screen_saver.h"

namespace pelquin {

WallScreen::WallScreen(ScreenSaverHold &screenSaver, IdlePointer &pointer,
                       std::function<bool()> unattended, QObject *parent)
    : QObject(parent), m_screenSaver(screenSaver), m_pointer(pointer),
      m_unattended(std::move(unattended))
{
    connect(&m_checkTimer, &QTimer::timeout, this, &WallScreen::update);
    m_checkTimer.start(kCheckMs);
}

void WallScreen::update()
{
    const bool unattended = m_unattended();
    m_pointer.setActive(unattended);
    if (unattended == m_holding)
        return;
    m_holding = unattended;
    if (unattended)
        m_screenSaver.hold(QStringLiteral("Showing pages on a wall screen"));
    else
        m_screenSaver.release();
}

}  // namespace pelquin
