#pragma once

#include <QDialog>

class QListWidget;

namespace pelquin {

class TabStrip;

// gotoo, "Goto Tab": one line per tab; OK or a double-click picks one.
class GotoDialog : public QDialog {
    Q_OBJECT
public:
    GotoDialog(const TabStrip &tabs, QWidget *parent = nullptr);

    // The list position chosen (0 for tab 1), or -1 when the dialog closed without a choice.
    int gotoChoice() const { return m_choice; }
    QListWidget *list1() const { return m_list; }

    static QString lineFor(int tab, const QString &caption);

    void reject() override;

private:
    void choose();

    QListWidget *m_list;
    int m_choice = -1;
};

}  // namespace pelquin
