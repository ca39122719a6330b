#include "tabs/button_bar.h"

#include <QAction>
#include <QEvent>
#include <QStyle>

namespace pelquin {

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
    setObjectName(QStringLiteral("Toolbar1"));
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
        QAction *action = addAction(style()->standardIcon(pictures[i]), name);
        action->setObjectName(name);
        action->setToolTip(name);
        connect(action, &QAction::triggered, this, [this, name] { emit buttonClicked(name); });
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
