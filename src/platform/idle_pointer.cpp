#include "platform/idle_pointer.h"

#include <QEvent>
#include <QCursor>
#include <QGuiApplication>

namespace pelquin {

IdlePointer::IdlePointer(int hideAfterMs, QObject *parent) : QObject(parent)
{
    m_timer.setSingleShot(true);
    m_timer.setInterval(hideAfterMs);
    connect(&m_timer, &QTimer::timeout, this, &IdlePointer::onIdle);
}

IdlePointer::~IdlePointer() { setActive(false); }

void IdlePointer::setActive(bool active)
{
    if (active == m_active)
        return;
    m_active = active;
    if (active) {
        qApp->installEventFilter(this);
        m_timer.start();
        return;
    }
    qApp->removeEventFilter(this);
    m_timer.stop();
    show();
}

void IdlePointer::onIdle()
{
    if (!m_active || m_hidden)
        return;
    m_hidden = true;
    QGuiApplication::setOverrideCursor(QCursor(Qt::BlankCursor));
}

void IdlePointer::show()
{
    if (!m_hidden)
        return;
    m_hidden = false;
    QGuiApplication::restoreOverrideCursor();
}

bool IdlePointer::eventFilter(QObject *watched, QEvent *event)
{
    // Every window's movements pass here, those over the pages' own widgets too.
    if (m_active && event->type() == QEvent::MouseMove) {
        show();
        m_timer.start();
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace pelquin
