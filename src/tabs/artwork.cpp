#include "tabs/artwork.h"

#include <QPainter>
#include <QPainterPath>

#include <functional>

namespace pelquin {

namespace {

QPixmap canvas(int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

void drawGlobe(QPainter &p, const QRectF &r)
{
    p.setRenderHint(QPainter::Antialiasing);
    QRadialGradient sea(r.center() - QPointF(r.width() / 5, r.height() / 5), r.width() * 0.7);
    sea.setColorAt(0, QColor(0x8f, 0xd3, 0xff));
    sea.setColorAt(1, QColor(0x1f, 0x6f, 0xc5));
    p.setBrush(sea);
    p.setPen(QPen(QColor(0x16, 0x4e, 0x8c), r.width() / 16));
    p.drawEllipse(r);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(255, 255, 255, 170), r.width() / 20));
    p.drawEllipse(r.adjusted(r.width() * 0.3, 0, -r.width() * 0.3, 0));
    p.drawLine(QPointF(r.left(), r.center().y()), QPointF(r.right(), r.center().y()));
    p.drawLine(QPointF(r.center().x(), r.top()), QPointF(r.center().x(), r.bottom()));
}

}  // namespace

QIcon worldIcon()
{
    QIcon icon;
    for (const int size : {16, 32}) {
        QPixmap pixmap = canvas(size);
        QPainter p(&pixmap);
        drawGlobe(p, QRectF(1, 1, size - 2, size - 2));
        p.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

QIcon changedIcon()
{
    // An orange dot with a white ring: nothing like the globe, seen at a glance on a wall.
    QIcon icon;
    for (const int size : {16, 32}) {
        QPixmap pixmap = canvas(size);
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        const QRectF r(1, 1, size - 2, size - 2);
        p.setPen(QPen(QColor(0x9a, 0x3c, 0x00), size / 16.0));
        p.setBrush(QColor(0xff, 0x8c, 0x1a));
        p.drawEllipse(r);
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        p.drawEllipse(r.center(), size / 6.0, size / 6.0);
        p.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

QIcon alertIcon()
{
    // A red triangle with a white bar: louder than the changed dot, unlike it in shape too.
    QIcon icon;
    for (const int size : {16, 32}) {
        QPixmap pixmap = canvas(size);
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        const qreal s = size;
        p.setPen(QPen(QColor(0x7a, 0x00, 0x00), s / 16.0));
        p.setBrush(QColor(0xe0, 0x10, 0x10));
        p.drawPolygon(QPolygonF({QPointF(s / 2, 1), QPointF(s - 1, s - 1.5), QPointF(1, s - 1.5)}));
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        p.drawRect(QRectF(s * 0.44, s * 0.32, s * 0.12, s * 0.34));
        p.drawRect(QRectF(s * 0.44, s * 0.72, s * 0.12, s * 0.12));
        p.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

namespace {

// Each size of an icon drawn by `draw` on a transparent square of side s.
QIcon drawnIcon(const std::function<void(QPainter &, qreal s)> &draw)
{
    QIcon icon;
    for (const int size : {16, 32}) {
        QPixmap pixmap = canvas(size);
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        draw(p, qreal(size));
        p.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

}  // namespace

QIcon failingIcon()
{
    // A dark disc crossed out: the page could not be had, an older one shows.
    return drawnIcon([](QPainter &p, qreal s) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x55, 0x55, 0x55));
        p.drawEllipse(QRectF(1, 1, s - 2, s - 2));
        p.setPen(QPen(Qt::white, s / 8.0, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(s * 0.32, s * 0.32), QPointF(s * 0.68, s * 0.68));
        p.drawLine(QPointF(s * 0.68, s * 0.32), QPointF(s * 0.32, s * 0.68));
    });
}

QIcon signedOutIcon()
{
    // An open padlock in blue: the site wants its password again.
    return drawnIcon([](QPainter &p, qreal s) {
        const QColor blue(0x1f, 0x5f, 0xbf);
        p.setPen(QPen(blue, s / 9.0));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(s * 0.42, s * 0.06, s * 0.4, s * 0.44), 0, 180 * 16);
        p.drawLine(QPointF(s * 0.82, s * 0.28), QPointF(s * 0.82, s * 0.44));
        p.setPen(Qt::NoPen);
        p.setBrush(blue);
        p.drawRoundedRect(QRectF(s * 0.12, s * 0.44, s * 0.56, s * 0.5), s / 12.0, s / 12.0);
    });
}

QIcon staleIcon()
{
    // A grey hourglass: nothing has moved for too long.
    return drawnIcon([](QPainter &p, qreal s) {
        p.setPen(QPen(QColor(0x40, 0x40, 0x40), s / 14.0));
        p.setBrush(QColor(0xb0, 0xb0, 0xb0));
        p.drawPolygon(QPolygonF({QPointF(s * 0.2, s * 0.1), QPointF(s * 0.8, s * 0.1),
                                 QPointF(s * 0.2, s * 0.9), QPointF(s * 0.8, s * 0.9)}));
    });
}

QPixmap padlockPixmap()
{
    QPixmap pixmap = canvas(16);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0x80, 0x80, 0x80), 2));
    p.drawArc(QRectF(4, 1.5, 8, 9), 0, 180 * 16);
    p.drawLine(QPointF(4, 6), QPointF(4, 8));
    p.drawLine(QPointF(12, 6), QPointF(12, 8));
    p.setPen(QPen(QColor(0x8a, 0x6d, 0x0b), 1));
    p.setBrush(QColor(0xe8, 0xc1, 0x3a));
    p.drawRoundedRect(QRectF(2.5, 7.5, 11, 8), 1.5, 1.5);
    return pixmap;
}

QPixmap certificateWarningPixmap()
{
    QPixmap pixmap = canvas(16);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath sign;
    sign.moveTo(8, 1.5);
    sign.lineTo(15, 14.5);
    sign.lineTo(1, 14.5);
    sign.closeSubpath();
    p.setPen(QPen(QColor(0x8a, 0x3b, 0x00), 1));
    p.setBrush(QColor(0xf5, 0xa6, 0x23));
    p.drawPath(sign);
    p.setPen(QPen(Qt::black, 1.6));
    p.drawLine(QPointF(8, 5.5), QPointF(8, 10));
    p.drawPoint(QPointF(8, 12.3));
    return pixmap;
}

QPixmap tabDragPixmap()
{
    QPixmap pixmap = canvas(32);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0x44, 0x44, 0x44), 1.5));
    p.setBrush(QColor(0xf3, 0xf3, 0xf3));
    QPainterPath tab;
    tab.moveTo(2, 30);
    tab.lineTo(6, 4);
    tab.lineTo(26, 4);
    tab.lineTo(30, 30);
    p.drawPath(tab);
    drawGlobe(p, QRectF(10, 10, 12, 12));
    return pixmap;
}

QIcon appIcon()
{
    QIcon icon;
    for (const int size : {16, 32, 64}) {
        QPixmap pixmap = canvas(size);
        QPainter p(&pixmap);
        drawGlobe(p, QRectF(1, 1, size - 2, size - 2));
        p.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

}  // namespace pelquin
