#pragma once

#include <QMenu>
#include <QString>

class QAction;

namespace pelquin {

// The speed menu: every menu command of the main window, in one pop-up menu. Items keep
// their object names ("mnuOpen", "mnuBack", ...), by which settings and tests find them.
class SpeedMenu : public QMenu {
    Q_OBJECT
public:
    explicit SpeedMenu(QWidget *parent = nullptr);

    QAction *item(const QString &name) const;

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

    // The bar markers live on the three bar items: "0" shown, "1" hidden.
    static QString tag(const QAction *item);
    static void setTag(QAction *item, const QString &tag);
};

}  // namespace pelquin
