#include "commands/speed_menu.h"

#include "tabs/button_bar.h"

#include <QAction>

#include <algorithm>


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

void SpeedMenu::addButtonsTo(ButtonBar &bar) const
{
    std::vector<const CommandRow *> rows;
    for (const CommandRow &row : commandTable()) {
        if (row.button > 0)
            rows.push_back(&row);
    }
    std::sort(rows.begin(), rows.end(),
              [](const CommandRow *a, const CommandRow *b) { return a->button < b->button; });
    for (const CommandRow *row : rows) {
        QAction *action = item(row->command);
        bar.addButton(action, row->buttonText, row->buttonPicture);
        // Items hidden until the start-up shows them hide their buttons too.
        bar.setVisibleAt(bar.count(), action->isVisible());
    }
}

}  // namespace pelquin
