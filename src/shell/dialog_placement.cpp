#include "shell/dialog_placement.h"

#include <QDialog>
#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace pelquin {

namespace {

QRect screenArea(const QWidget &anchor)
{
    const QScreen *screen = anchor.window()->screen();
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect();
}

// Until a window is shown its frame is not known: its size stands for it.
QSize outerSize(const QWidget &window)
{
    return window.frameGeometry().size().expandedTo(window.size());
}

}  // namespace

void fitToScreen(QWidget &window, const QRect &area)
{
    if (area.isEmpty())
        return;
    // Room for the frame a window manager may add.
    const QSize room = area.size() - QSize(16, 40);
    const QSize size = window.size().expandedTo(window.sizeHint());
    if (size.width() > room.width() || size.height() > room.height())
        window.resize(size.boundedTo(room).expandedTo(window.minimumSizeHint().boundedTo(room)));
}

QRect centredOver(const QRect &anchor, QSize size, const QRect &area)
{
    QRect r(QPoint(), size);
    r.moveCenter(anchor.center());
    if (area.isEmpty())
        return r;
    const int left = std::clamp(r.left(), area.left(),
                                std::max(area.left(), area.right() + 1 - size.width()));
    const int top = std::clamp(r.top(), area.top(),
                               std::max(area.top(), area.bottom() + 1 - size.height()));
    r.moveTo(left, top);
    return r;
}

void placeOver(QWidget &window, const QWidget &anchor)
{
    const QWidget &owner = *anchor.window();
    const QRect area = screenArea(owner);
    const bool shown = owner.isVisible() && !owner.isMinimized();
    const QRect over = shown ? owner.frameGeometry() : area;
    window.move(centredOver(over, outerSize(window), area).topLeft());
}

void placeOnScreenOf(QWidget &window, const QWidget &anchor)
{
    const QRect area = screenArea(anchor);
    window.move(centredOver(area, outerSize(window), area).topLeft());
}

DialogPlacement::DialogPlacement(QWidget &mainWindow)
    : QObject(&mainWindow), m_mainWindow(mainWindow)
{
}

bool DialogPlacement::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Show && !event->spontaneous()) {
        auto *dialog = qobject_cast<QDialog *>(watched);
        // A dialog placed once (by us or by its own code) keeps its place when shown again.
        if (dialog && dialog->isWindow() && !dialog->testAttribute(Qt::WA_Moved)) {
            const QWidget *parent = dialog->parentWidget();
            fitToScreen(*dialog, screenArea(parent ? *parent->window() : m_mainWindow));
            placeOver(*dialog, parent ? *parent->window() : m_mainWindow);
        }
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace pelquin
