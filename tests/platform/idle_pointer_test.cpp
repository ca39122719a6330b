#include "platform/idle_pointer.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QWidget>

#include <gtest/gtest.h>

using namespace pelquin;

namespace {

bool pointerBlank()
{
    const QCursor *cursor = QGuiApplication::overrideCursor();
    return cursor && cursor->shape() == Qt::BlankCursor;
}

void movePointer(QWidget &over)
{
    QMouseEvent move(QEvent::MouseMove, QPointF(5, 5), over.mapToGlobal(QPointF(5, 5)),
                     Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&over, &move);
}

}  // namespace

TEST(IdlePointer, HidesAfterRestingAndComesBackAtTheNextMovement)
{
    QWidget page;
    IdlePointer pointer(1234);
    pointer.setActive(true);
    EXPECT_TRUE(pointer.timer().isActive());
    EXPECT_EQ(pointer.timer().interval(), 1234);
    pointer.onIdle();
    EXPECT_TRUE(pointer.hidden());
    EXPECT_TRUE(pointerBlank());
    movePointer(page);
    EXPECT_FALSE(pointer.hidden());
    EXPECT_FALSE(pointerBlank());
    EXPECT_TRUE(pointer.timer().isActive());  // counting again from this movement
}

TEST(IdlePointer, InactiveItLeavesThePointerAlone)
{
    QWidget page;
    IdlePointer pointer;
    pointer.onIdle();
    EXPECT_FALSE(pointerBlank());
    pointer.setActive(true);
    pointer.onIdle();
    pointer.onIdle();  // hidden once, so shown again by one restore
    pointer.setActive(false);
    EXPECT_FALSE(pointerBlank());
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_FALSE(pointer.timer().isActive());
    movePointer(page);
    EXPECT_FALSE(pointer.timer().isActive());
}
