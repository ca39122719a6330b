#pragma once

#include <QWidget>

#include <vector>

class QCheckBox;
class QLineEdit;
class QTabWidget;
class QToolButton;

namespace pelquin {

// The interval box of a row with its spinner: two digits, 0 to 99. Only digits
// and Backspace are typed; left empty or at 0, it shows "0".
class IntervalBox : public QWidget {
    Q_OBJECT
public:
    explicit IntervalBox(QWidget *parent = nullptr);

    QString text() const;
    void setText(const QString &text);
    void setReadOnly(bool readOnly);
    QLineEdit *edit() const { return m_edit; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void step(int by);

    QLineEdit *m_edit;
    QToolButton *m_up;
    QToolButton *m_down;
};

// One row of the Setup dialog: the controls of tab i.
struct SetupRow {
    QLineEdit *startUrlEdit = nullptr;   // Tab Startup URL
    QLineEdit *tabNameEdit = nullptr;   // Tab Name, at most 12 characters
    QCheckBox *pauseCheck = nullptr;  // Pause as other windows load
    QCheckBox *autoRefreshCheck = nullptr;  // Automatic Page Refresh
    IntervalBox *intervalEdit = nullptr; // Refresh Interval (in minutes), with its spinner
    QCheckBox *newBrowserCheck = nullptr;  // Open a new Browser
};

// Builds the three pages of ten rows under their column headings, rows 1 and 2 greyed.
std::vector<SetupRow> buildSetupPages(QTabWidget &pages);

}  // namespace pelquin
