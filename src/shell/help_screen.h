#pragma once

#include <QDialog>

class QCheckBox;

namespace pelquin {

class ErrorReporter;
struct Session;

// The modal help screen with its "Always show this screen on startup." box. OK writes the
// box into STD.DAT; any other way of closing keeps the file as it was.
class HelpScreen : public QDialog {
    Q_OBJECT
public:
    HelpScreen(Session &session, ErrorReporter &errors, QWidget *parent = nullptr);

    QCheckBox *showAtStartBox() const { return m_showAtStart; }
    // The OK button: writes STD.DAT, then closes.
    void saveAndClose();

protected:
    void showEvent(QShowEvent *event) override;

private:
    Session &m_session;
    ErrorReporter &m_errors;
    QCheckBox *m_showAtStart;
};

}  // namespace pelquin
