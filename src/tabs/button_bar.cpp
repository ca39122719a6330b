#include "tabs/button_bar.h"

#include <QAction>
#include <QApplication>
#include <QIconEngine>
#include <QEvent>
#include <QImage>
#include <QStyle>

namespace pelquin {

namespace {

// Normal pictures are muted, hot ones (under the mouse) in full colour, disabled ones grey.
QIcon buttonIcon(const QIcon &source, QSize size)
{
    const QPixmap hot = source.pixmap(size);
    QImage grey = hot.toImage().convertToFormat(QImage::Format_ARGB32);
    QImage muted = grey;
    for (int y = 0; y < grey.height(); ++y) {
        auto *g = reinterpret_cast<QRgb *>(grey.scanLine(y));
        auto *m = reinterpret_cast<QRgb *>(muted.scanLine(y));
        for (int x = 0; x < grey.width(); ++x) {
            const int v = qGray(g[x]);
            const int a = qAlpha(g[x]);
            m[x] = qRgba((qRed(g[x]) + v) / 2, (qGreen(g[x]) + v) / 2, (qBlue(g[x]) + v) / 2, a);
            g[x] = qRgba(160 + v / 4, 160 + v / 4, 160 + v / 4, a / 2);
        }
    }
    QIcon icon;
    icon.addPixmap(QPixmap::fromImage(muted), QIcon::Normal);
    icon.addPixmap(hot, QIcon::Active);
    icon.addPixmap(QPixmap::fromImage(grey), QIcon::Disabled);
    return icon;
}

// Looks the style's picture up and tints it when first drawn, not when the bar is built:
// the window is made before the first pages are asked for, and drawn after.
class LazyButtonIcon : public QIconEngine {
public:
    LazyButtonIcon(QStyle::StandardPixmap picture, QSize size) : m_picture(picture), m_size(size)
    {
    }

    QIconEngine *clone() const override { return new LazyButtonIcon(*this); }

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override
    {
        icon().paint(painter, rect, Qt::AlignCenter, mode, state);
    }

    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return icon().pixmap(size, mode, state);
    }

    QSize actualSize(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return icon().actualSize(size, mode, state);
    }

    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override
    {
        return icon().availableSizes(mode, state);
    }

private:
    const QIcon &icon()
    {
        if (m_icon.isNull())
            m_icon = buttonIcon(QApplication::style()->standardIcon(m_picture), m_size);
        return m_icon;
    }

    QStyle::StandardPixmap m_picture;
    QSize m_size;
    QIcon m_icon;
};

}  // namespace

const QStringList &ButtonBar::names()
{
    static const QStringList list{
        QStringLiteral("Back"),   QStringLiteral("Forward"),   QStringLiteral("Stop"),
        QStringLiteral("Refresh"), QStringLiteral("Home"),     QStringLiteral("Search"),
        QStringLiteral("Favorites"), QStringLiteral("History"), QStringLiteral("Print"),
        QStringLiteral("Setup"),  QStringLiteral("Goto Tab"),  QStringLiteral("Help")};
    return list;
}

ButtonBar::ButtonBar(QWidget *parent) : QToolBar(parent)
{
    setMovable(false);
    setFloatable(false);
    setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    setIconSize(QSize(20, 20));
    setMouseTracking(true);
    const QStyle::StandardPixmap pictures[] = {
        QStyle::SP_ArrowBack,       QStyle::SP_ArrowForward,     QStyle::SP_BrowserStop,
        QStyle::SP_BrowserReload,   QStyle::SP_DirHomeIcon,      QStyle::SP_FileDialogContentsView,
        QStyle::SP_DirLinkIcon,     QStyle::SP_FileDialogDetailedView, QStyle::SP_DialogSaveButton,
        QStyle::SP_FileDialogInfoView, QStyle::SP_ArrowRight,    QStyle::SP_DialogHelpButton};
    for (int i = 0; i < names().size(); ++i) {
        const QString name = names().at(i);
        QAction *action = addAction(QIcon(new LazyButtonIcon(pictures[i], iconSize())), name);
        action->setToolTip(name);
        connect(action, &QAction::triggered, this, [this, i] { emit buttonClicked(i + 1); });
        m_actions.push_back(action);
    }
    // Favorites and History are shown by the start-up as the platform allows.
    setVisibleAt(7, false);
    setVisibleAt(8, false);
}

bool ButtonBar::enabled(int index) const { return button(index)->isEnabled(); }

void ButtonBar::setEnabledAt(int index, bool enabled) { button(index)->setEnabled(enabled); }

bool ButtonBar::visibleAt(int index) const { return button(index)->isVisible(); }

void ButtonBar::setVisibleAt(int index, bool visible) { button(index)->setVisible(visible); }

void ButtonBar::setToolTipAt(int index, const QString &tip) { button(index)->setToolTip(tip); }

bool ButtonBar::event(QEvent *event)
{
    if (event->type() == QEvent::HoverMove || event->type() == QEvent::MouseMove)
        emit mouseMoved();
    return QToolBar::event(event);
}

}  // namespace pelquin
