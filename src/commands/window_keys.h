#pragma once

#include <QObject>

#include <functional>

class QKeyEvent;
class QWidget;

namespace pelquin {

class ErrorReporter;
class SpeedMenu;
struct Session;

// The main window's key preview: it sees every key of the window before the focused control
// does. F1 asks for help, Alt then M opens the speed menu, Ctrl+F finds text on the page,
// and it knows whether a modifier key is held.
class WindowKeys : public QObject {
    Q_OBJECT
public:
    WindowKeys(QWidget &window, Session &session, SpeedMenu &menu, ErrorReporter &errors,
               std::function<void()> showHelp, std::function<void()> showFind);

    // True when the key opened the speed menu or Find: it is not passed on to the control.
    bool onWindowKeyDown(int keyCode, int shiftState);
    void onWindowKeyUp(int shiftState);
    // Shows the speed menu at the mouse unless the page script hid it; true when it opened.
    bool popUpSpeedMenu();

    int previousKey() const { return m_previousKey; }
    // Shift, Ctrl or Alt was held at the last key press or release.
    bool modifierHeld() const { return m_modifierHeld; }
    void forgetModifiers() { m_modifierHeld = false; }
    // The key map, asked about every key press the preview itself does not take.
    void setShortcuts(std::function<bool(int qtKey, Qt::KeyboardModifiers)> shortcuts)
    {
        m_shortcuts = std::move(shortcuts);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool isSeenAlready(const QKeyEvent &event);

    QWidget &m_window;
    Session &m_session;
    SpeedMenu &m_menu;
    ErrorReporter &m_errors;
    std::function<void()> m_showHelp;
    std::function<void()> m_showFind;
    std::function<bool(int, Qt::KeyboardModifiers)> m_shortcuts;
    int m_previousKey = 0;
    bool m_modifierHeld = false;
    // A key the focused control ignores goes on to its parents: handle it once.
    const QKeyEvent *m_lastEvent = nullptr;
    quint64 m_lastStamp = 0;
    int m_lastKey = 0;
};

}  // namespace pelquin
