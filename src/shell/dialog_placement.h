#pragma once

#include <QObject>
#include <QRect>
#include <QSize>

class QWidget;

namespace pelquin {

// A window of `size` centred over `anchor`, moved as little as needed to lie inside `area`
// (it keeps the area's top left when it is larger than the area).
QRect centredOver(const QRect &anchor, QSize size, const QRect &area);

// Shrinks a window larger than `area` to fit in it, as far as its contents allow.
void fitToScreen(QWidget &window, const QRect &area);

// Centres the window over `anchor`'s window, kept on the anchor's screen; over the screen
// itself while the anchor is not shown.
void placeOver(QWidget &window, const QWidget &anchor);
// Centres the window on the screen that shows `anchor`.
void placeOnScreenOf(QWidget &window, const QWidget &anchor);

// Places every dialog over the window it belongs to when it is first shown. A window
// manager would do it; without one the dialog opens at the screen's top left corner.
class DialogPlacement : public QObject {
    Q_OBJECT
public:
    // Dialogs without a parent are placed over `mainWindow`.
    explicit DialogPlacement(QWidget &mainWindow);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget &m_mainWindow;
};

}  // namespace pelquin
