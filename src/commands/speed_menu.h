#pragma once

#include "commands/command_table.h"

#include <QMenu>
#include <QString>

#include <map>

class QAction;

namespace pelquin {


// The speed menu: every menu command of the main window, in one pop-up menu, one item per
// row of the command table that has a menu text.
class SpeedMenu : public QMenu {
    Q_OBJECT
public:
    explicit SpeedMenu(QWidget *parent = nullptr);

    // The command's item; none for a command that is not in the menu. It is the command's
    // one action: its button and keys run it too.
    QAction *item(Command command) const;
    // A page's script may keep Alt then M from opening the menu.
    bool allowedByPage() const { return m_allowedByPage; }
    void setAllowedByPage(bool allowed) { m_allowedByPage = allowed; }

    QAction *backItem;
    QAction *forwardItem;
    QAction *hideButtonsItem;
    QAction *hideAddressBarItem;
    QAction *hideStatusBarItem;
    QAction *expertModeItem;
    QAction *favoritesItem;
    QAction *historyItem;
    QAction *savePageItem;
    QAction *offlineItem;
    QAction *internetOptionsItem;
    QAction *sendEmailItem;
    QAction *helpItem;
    QAction *setupItem;
    QAction *downloadsItem;

private:
    std::map<Command, QAction *> m_items;
    bool m_allowedByPage = true;
};

}  // namespace pelquin
