#include "shell/speed_menu.h"

#include <QAction>

#include <utility>

namespace pelquin {

SpeedMenu::SpeedMenu(QWidget *parent) : QMenu(QStringLiteral("Menu"), parent)
{
    setObjectName(QStringLiteral("mnumenu"));
    static const std::pair<const char *, const char *> items[] = {
        {"mnuOpen", "Ope&n Location"},
        {"mnuBack", "&Back"},
        {"mnuForward", "&Forward"},
        {"nulla", "-"},
        {"mnuStop", "&Stop"},
        {"mnuRefresh", "&Refresh"},
        {"mnuhome", "&Home"},
        {"mnuSearch", "Se&arch"},
        {"mnuFavorites", "Fa&vorites"},
        {"mnuHistory", "H&istory"},
        {"mnuPrint", "&Print"},
        {"nullb", "-"},
        {"mnuSetup", "Se&tup"},
        {"mnuGoto", "&Goto"},
        {"mnuHelp", "He&lp"},
        {"nulq", "-"},
        {"mnuInternetOptions", "Internet &Options"},
        {"mnuSavePagetoDisk", "Save Page to &Disk"},
        {"mnuoffline", "Work Offlin&e"},
        {"nullqa", "-"},
        {"mnuhidebuttons", "&Hide Buttons"},
        {"mnuhideaddressbar", "&Hide Address Bar"},
        {"mnuhidestatusbar", "&Hide Status and Progress Bar"},
        {"nullqb", "-"},
        {"mnuexpertmode", "Full Screen Mode (E&xpert Mode)"},
        {"nullqd", "-"},
        {"mnusendemail", "Send and re&ceive email"},
    };
    for (const auto &[name, caption] : items) {
        QAction *action = QLatin1String(caption) == QLatin1String("-")
                              ? addSeparator()
                              : addAction(QString::fromLatin1(caption));
        action->setObjectName(QLatin1String(name));
    }
    backItem = item(QStringLiteral("mnuBack"));
    forwardItem = item(QStringLiteral("mnuForward"));
    hideButtonsItem = item(QStringLiteral("mnuhidebuttons"));
    hideAddressBarItem = item(QStringLiteral("mnuhideaddressbar"));
    hideStatusBarItem = item(QStringLiteral("mnuhidestatusbar"));
    expertModeItem = item(QStringLiteral("mnuexpertmode"));
    favoritesItem = item(QStringLiteral("mnuFavorites"));
    historyItem = item(QStringLiteral("mnuHistory"));
    savePageItem = item(QStringLiteral("mnuSavePagetoDisk"));
    offlineItem = item(QStringLiteral("mnuoffline"));
    internetOptionsItem = item(QStringLiteral("mnuInternetOptions"));
    sendEmailItem = item(QStringLiteral("mnusendemail"));
    helpItem = item(QStringLiteral("mnuHelp"));
    setupItem = item(QStringLiteral("mnuSetup"));
    downloadsItem = new QAction(QStringLiteral("Do&wnloads"), this);
    downloadsItem->setObjectName(QStringLiteral("mnuDownloads"));
    downloadsItem->setShortcut(QKeySequence(QStringLiteral("Ctrl+Shift+Y")));
    insertAction(item(QStringLiteral("mnuInternetOptions")), downloadsItem);
    offlineItem->setCheckable(true);
    // Hidden in the design; the start-up shows them as the platform allows.
    favoritesItem->setVisible(false);
    historyItem->setVisible(false);
    for (QAction *bar : {hideButtonsItem, hideAddressBarItem, hideStatusBarItem})
        setTag(bar, QStringLiteral("0"));
}

QAction *SpeedMenu::item(const QString &name) const
{
    for (QAction *action : actions()) {
        if (action->objectName() == name)
            return action;
    }
    return nullptr;
}

QString SpeedMenu::tag(const QAction *item)
{
    return item->data().toString();
}

void SpeedMenu::setTag(QAction *item, const QString &tag)
{
    item->setData(tag);
}

}  // namespace pelquin
