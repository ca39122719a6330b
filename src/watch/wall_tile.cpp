#include "watch/wall_tile.h"

#include "tabs/browser_tab.h"

#include <QPainter>

namespace pelquin {

namespace {

QString stateText(TileState state)
{
    switch (state) {
    case TileState::Loading:
        return QStringLiteral("loading");
    case TileState::Changed:
        return QStringLiteral("changed");
    case TileState::Alert:
        return QStringLiteral("alert");
    case TileState::Failing:
        return QStringLiteral("failing");
    case TileState::SignedOut:
        return QStringLiteral("signed out");
    case TileState::Stale:
        return QStringLiteral("stale");
    case TileState::Paused:
        return QStringLiteral("paused");
    case TileState::Crashed:
        return QStringLiteral("crashed");
    case TileState::Empty:
        return QStringLiteral("empty");
    case TileState::Shown:
        break;
    }
    return QString();
}

QColor stateColor(TileState state)
{
    switch (state) {
    case TileState::Changed:
        return QColor(0xff, 0x8c, 0x1a);
    case TileState::Alert:
        return QColor(0xc0, 0x00, 0x60);
    case TileState::Crashed:
    case TileState::Failing:
        return QColor(0xd0, 0x30, 0x30);
    case TileState::SignedOut:
        return QColor(0x1f, 0x5f, 0xbf);
    case TileState::Stale:
    case TileState::Paused:
        return QColor(0x80, 0x80, 0x80);
    case TileState::Loading:
        return QColor(0x4a, 0x90, 0xd9);
    default:
        return QColor(0x60, 0x60, 0x60);
    }
}

}  // namespace

WallTile::WallTile(BrowserTab &tab, QWidget *parent) : QAbstractButton(parent), m_tab(tab)
{
    setObjectName(QStringLiteral("wallTile_%1").arg(tab.number()));
    setFocusPolicy(Qt::StrongFocus);
    describe(QString(), TileState::Empty);
}

QString WallTile::label() const
{
    return QStringLiteral("Tab %1: %2").arg(m_tab.number()).arg(m_caption);
}

void WallTile::describe(const QString &caption, TileState state, const QString &detail)
{
    if (caption == m_caption && state == m_state && detail == m_detail &&
        !accessibleName().isEmpty())
        return;
    m_caption = caption;
    m_state = state;
    m_detail = detail;
    setAccessibleName(label() + (state == TileState::Changed ? QStringLiteral(" (changed)")
                                                              : QString()));
    const QString said = saying();
    setAccessibleDescription(said);
    setToolTip(said.isEmpty() ? label() : label() + QStringLiteral(" (") + said + u')');
    update();
}

QString WallTile::saying() const
{
    return m_detail.isEmpty() ? stateText(m_state) : m_detail;
}

void WallTile::setPicture(const QImage &picture)
{
    m_picture = picture;
    update();
}

void WallTile::setPageText(const QString &text)
{
    // What fits on a tile at most; the rest would only cost memory.
    const QString kept = text.simplified().left(600);
    if (kept == m_pageText)
        return;
    m_pageText = kept;
    update();
}

void WallTile::setCurrent(bool current)
{
    if (current == m_current)
        return;
    m_current = current;
    update();
}

void WallTile::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const QRect whole = rect();
    p.fillRect(whole, QColor(0x2b, 0x2b, 0x2b));
    const int textHeight = fontMetrics().height() + 6;
    const QRect pictureArea = whole.adjusted(4, 4, -4, -4 - textHeight);
    if (!m_picture.isNull()) {
        // The top of the page, as wide as the tile: what a page shows first is at its top.
        const QImage scaled = m_picture.scaledToWidth(pictureArea.width(),
                                                      Qt::SmoothTransformation);
        p.drawImage(pictureArea.topLeft(), scaled,
                    QRect(0, 0, scaled.width(), qMin(scaled.height(), pictureArea.height())));
    } else if (!m_pageText.isEmpty()) {
        // A page never drawn shows its words, as a page would, small.
        p.fillRect(pictureArea, Qt::white);
        QFont small = font();
        small.setPointSizeF(qMax(5.0, small.pointSizeF() * 0.7));
        p.setFont(small);
        p.setPen(QColor(0x30, 0x30, 0x30));
        p.drawText(pictureArea.adjusted(4, 3, -4, -3),
                   Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, m_pageText);
        p.setFont(font());
    } else {
        p.fillRect(pictureArea, QColor(0x40, 0x40, 0x40));
    }
    const QRect textArea(whole.left() + 4, whole.bottom() - textHeight, whole.width() - 8,
                         textHeight);
    p.fillRect(textArea, QColor(0x20, 0x20, 0x20));
    p.setPen(Qt::white);
    const QRect captionArea = textArea.adjusted(4, 0, -4, 0);
    p.drawText(captionArea, Qt::AlignVCenter | Qt::AlignLeft,
               fontMetrics().elidedText(label(), Qt::ElideRight, captionArea.width()));
    // The state on the picture's corner: the caption keeps the whole line.
    // A long state (Paused until Mon 08:00) is cut to the picture; its tooltip says it whole.
    const QString said =
        fontMetrics().elidedText(saying(), Qt::ElideRight, qMax(0, pictureArea.width() - 10));
    if (!said.isEmpty()) {
        const int badgeWidth = fontMetrics().horizontalAdvance(said) + 10;
        const QRect badge(pictureArea.right() - badgeWidth + 1, pictureArea.top(), badgeWidth,
                          fontMetrics().height() + 4);
        p.fillRect(badge, stateColor(m_state));
        p.drawText(badge, Qt::AlignCenter, said);
    }
    const bool focused = window()->focusWidget() == this;
    if (focused || m_current) {
        p.setPen(QPen(focused ? QColor(0x3d, 0xae, 0xe9) : QColor(0x9a, 0x9a, 0x9a),
                      focused ? 4 : 2));
        p.setBrush(Qt::NoBrush);
        p.drawRect(whole.adjusted(2, 2, -2, -2));
    }
}

}  // namespace pelquin
