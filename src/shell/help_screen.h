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

    QCheckBox *check1() const { return m_check1; }
    // The OK button: writes STD.DAT, then closes.
    void Command1_Click();

protected:
    void showEvent(QShowEvent *event) override;

private:
    Session &m_session;
    ErrorReporter &m_errors;
    QCheckBox *m_check1;
};

}  // namespace pelquin
