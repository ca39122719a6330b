#pragma once

#include <QMenu>
#include <QString>

class QAction;

namespace pelquin {

// mnumenu, the speed menu: every menu command of the main window, in one pop-up menu.
// Items are found by their names (mnuOpen, mnuBack, ..., mnusendemail).
class SpeedMenu : public QMenu {
    Q_OBJECT
public:
    explicit SpeedMenu(QWidget *parent = nullptr);

    QAction *item(const QString &name) const;

    QAction *mnuBack;
    QAction *mnuForward;
    QAction *mnuhidebuttons;
    QAction *mnuhideaddressbar;
    QAction *mnuhidestatusbar;
    QAction *mnuexpertmode;
    QAction *mnuFavorites;
    QAction *mnuHistory;
    QAction *mnuSavePagetoDisk;
    QAction *mnuoffline;

    // The bar markers live on the three bar items: "0" shown, "1" hidden.
    static QString tag(const QAction *item);
    static void setTag(QAction *item, const QString &tag);
};

}  // namespace pelquin
