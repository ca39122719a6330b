#include "commands/speed_menu.h"


#include <QAction>



namespace pelquin {

SpeedMenu::SpeedMenu(QWidget *parent) : QMenu(QStringLiteral("Menu"), parent)
{
    for (const CommandRow &row : commandTable()) {
        if (row.menuText.isEmpty())
            continue;
        if (row.separatorBefore)
            addSeparator();
        m_items[row.command] = addAction(row.menuText);
    }
    backItem = item(Command::Back);
    forwardItem = item(Command::Forward);
    hideButtonsItem = item(Command::HideButtons);
    hideAddressBarItem = item(Command::HideAddressBar);
    hideStatusBarItem = item(Command::HideStatusBar);
    expertModeItem = item(Command::ExpertMode);
    favoritesItem = item(Command::Favorites);
    historyItem = item(Command::History);
    savePageItem = item(Command::SavePage);
    offlineItem = item(Command::WorkOffline);
    internetOptionsItem = item(Command::InternetOptions);
    sendEmailItem = item(Command::SendEmail);
    helpItem = item(Command::Help);
    setupItem = item(Command::Setup);
    downloadsItem = item(Command::Downloads);
    offlineItem->setCheckable(true);
    // Hidden in the design; the start-up shows them as the platform allows.
    favoritesItem->setVisible(false);
    historyItem->setVisible(false);
}

QAction *SpeedMenu::item(Command command) const
{
    const auto found = m_items.find(command);
    return found == m_items.end() ? nullptr : found->second;
}

}  // namespace pelquin
