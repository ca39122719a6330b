#include "shell/button_bar.h"

#include "commands/command_table.h"
#include "commands/speed_menu.h"

#include <QAction>
#include <QApplication>
#include <QIconEngine>
#include <QEvent>
#include <QImage>
#include <QStyle>
#include <QToolButton>

#include <functional>

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

// Shows its action, but asks the bar to run it instead of triggering it itself.
class CommandButton : public QToolButton {
public:
    using QToolButton::QToolButton;
    std::function<void()> onClick;

protected:
    void nextCheckState() override
    {
        if (onClick)
            onClick();
    }
};

}  // namespace

ButtonBar::ButtonBar(QWidget *parent) : QToolBar(parent)
{
    setMovable(false);
    setFloatable(false);
    setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    setIconSize(QSize(20, 20));
    setMouseTracking(true);
}

void ButtonBar::addButton(QAction *action, const QString &text, QStyle::StandardPixmap picture)
{
    action->setIconText(text);
    action->setToolTip(text);
    action->setIcon(QIcon(new LazyButtonIcon(picture, iconSize())));
    action->setIconVisibleInMenu(false);
    auto *button = new CommandButton(this);
    button->setDefaultAction(action);
    button->setToolButtonStyle(toolButtonStyle());
    button->setIconSize(iconSize());
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setMouseTracking(true);
    const int index = count() + 1;
    button->onClick = [this, index] { emit buttonClicked(index); };
    m_actions.push_back(action);
    m_places.push_back(addWidget(button));
}

void ButtonBar::showCommands(const SpeedMenu &menu)
{
    for (int index = 1; const std::optional<Command> command = commandOfButton(index); ++index) {
        const CommandRow &row = commandRow(*command);
        QAction *action = menu.item(row.command);
        addButton(action, row.buttonText, row.buttonPicture);
        // Items hidden until the start-up shows them hide their buttons too.
        setVisibleAt(count(), action->isVisible());
    }
}

bool ButtonBar::enabled(int index) const { return button(index)->isEnabled(); }

void ButtonBar::setEnabledAt(int index, bool enabled) { button(index)->setEnabled(enabled); }

bool ButtonBar::visibleAt(int index) const
{
    return m_places.at(static_cast<size_t>(index - 1))->isVisible();
}

void ButtonBar::setVisibleAt(int index, bool visible)
{
    m_places.at(static_cast<size_t>(index - 1))->setVisible(visible);
}

void ButtonBar::setToolTipAt(int index, const QString &tip) { button(index)->setToolTip(tip); }

bool ButtonBar::event(QEvent *event)
{
    if (event->type() == QEvent::HoverMove || event->type() == QEvent::MouseMove)
        emit mouseMoved();
    return QToolBar::event(event);
}

}  // namespace pelquin
