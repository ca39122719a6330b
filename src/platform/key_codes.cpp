#include "platform/key_codes.h"

#include <QKeyEvent>

namespace pelquin {

int keyCode(const QKeyEvent &event)
{
    const int k = event.key();
    if (k >= Qt::Key_A && k <= Qt::Key_Z)
        return 65 + (k - Qt::Key_A);
    if (k >= Qt::Key_0 && k <= Qt::Key_9)
        return 48 + (k - Qt::Key_0);
    if (k >= Qt::Key_F1 && k <= Qt::Key_F24)
        return key::F1 + (k - Qt::Key_F1);
    switch (k) {
    case Qt::Key_Backspace: return key::Backspace;
    case Qt::Key_Tab: return 9;
    case Qt::Key_Return:
    case Qt::Key_Enter: return key::Enter;
    case Qt::Key_Shift: return key::Shift;
    case Qt::Key_Control: return key::Control;
    case Qt::Key_Alt: return key::Alt;
    case Qt::Key_Escape: return 27;
    case Qt::Key_Space: return 32;
    case Qt::Key_PageUp: return key::PageUp;
    case Qt::Key_PageDown: return key::PageDown;
    case Qt::Key_End: return 35;
    case Qt::Key_Home: return 36;
    case Qt::Key_Left: return key::Left;
    case Qt::Key_Up: return key::Up;
    case Qt::Key_Right: return key::Right;
    case Qt::Key_Down: return key::Down;
    case Qt::Key_Insert: return 45;
    case Qt::Key_Delete: return key::Delete;
    default: return 0;
    }
}

int shiftState(const QKeyEvent &event)
{
    const Qt::KeyboardModifiers m = event.modifiers();
    return (m.testFlag(Qt::ShiftModifier) ? shift::Shift : 0) |
           (m.testFlag(Qt::ControlModifier) ? shift::Ctrl : 0) |
           (m.testFlag(Qt::AltModifier) ? shift::Alt : 0);
}

}  // namespace pelquin
