#pragma once

#include <QDialog>

#include <functional>

class QLabel;
class QLineEdit;

namespace pelquin {

class BrowserControl;

// "Find": looks for text on the page of the selected tab (Ctrl+F). Modeless, so the page
// stays usable while the matches are highlighted.
class FindDialog : public QDialog {
    Q_OBJECT
public:
    // `current` gives the browser of the tab selected at the moment of each search.
    FindDialog(std::function<BrowserControl *()> current, QWidget *parent);

    QLineEdit *text() const { return m_text; }
    QString status() const;
    void findNext(bool backward = false);

protected:
    // Closed, by Close or Escape: the page's highlight goes with the dialog.
    void hideEvent(QHideEvent *event) override;

private:
    std::function<BrowserControl *()> m_current;
    QLineEdit *m_text;
    QLabel *m_status;
    bool m_highlighted = false;  // a search has highlighted matches on the page
};

}  // namespace pelquin
