#include "commands/window_keys.h"

#include "platform/error_report.h"
#include "platform/key_codes.h"
#include "core/session.h"
#include "commands/speed_menu.h"

#include <QAction>
#include <QCursor>
#include <QKeyEvent>
#include <QWidget>

namespace pelquin {

WindowKeys::WindowKeys(QWidget &window, Session &session, SpeedMenu &menu,
                       ErrorReporter &errors, std::function<void()> showHelp,
                       std::function<void()> showFind)
    : QObject(&window), m_window(window), m_session(session), m_menu(menu), m_errors(errors),
      m_showHelp(std::move(showHelp)), m_showFind(std::move(showFind))
{
}

bool WindowKeys::isSeenAlready(const QKeyEvent &event)
{
    const bool same = &event == m_lastEvent && event.timestamp() == m_lastStamp &&
                      event.key() == m_lastKey;
    m_lastEvent = &event;
    m_lastStamp = event.timestamp();
    m_lastKey = event.key();
    return same;
}

bool WindowKeys::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if ((type == QEvent::KeyPress || type == QEvent::KeyRelease) && watched->isWidgetType() &&
        static_cast<QWidget *>(watched)->window() == &m_window) {
        const auto &key = *static_cast<QKeyEvent *>(event);
        if (!isSeenAlready(key)) {
            if (type == QEvent::KeyPress) {
                if (onWindowKeyDown(keyCode(key), shiftState(key)))
                    return true;
                return m_shortcuts && m_shortcuts(key.key(), key.modifiers());
            }
            onWindowKeyUp(shiftState(key));
        }
    }
    return QObject::eventFilter(watched, event);
}

bool WindowKeys::onWindowKeyDown(int keyCode, int shiftState)
{
    bool menuOpened = false;
    Trap trap(m_errors, QStringLiteral(" At tsKd"));
    trap.step([&] {
        m_modifierHeld = shiftState != 0;
        if (keyCode == key::F1)
            m_showHelp();
        // The page's own find, as the desktop's browsers offer it.
        if (keyCode == key::F && shiftState == shift::Ctrl && m_showFind) {
            m_showFind();
            menuOpened = true;
        }
        if (m_previousKey == key::Alt && keyCode == key::M)
            menuOpened = popUpSpeedMenu();
    });
    if (!trap.ended())
        m_previousKey = keyCode;
    return menuOpened;
}

void WindowKeys::onWindowKeyUp(int shiftState)
{
    m_modifierHeld = shiftState != 0;
}

bool WindowKeys::popUpSpeedMenu()
{
    if (!m_menu.allowedByPage())
        return false;
    m_menu.popup(QCursor::pos());
    return true;
}

}  // namespace pelquin
