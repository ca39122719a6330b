#pragma once

#include "core/scriptable_window.h"
#include "script/script_parser.h"
#include "tabs/tab_controls.h"

#include <vector>

namespace pelquin {

class ErrorReporter;
class Trap;
struct Session;

// runStatements: carries out a page script's statements on the main window, from the last
// statement to the first.
class CommandProcessor {
public:
    CommandProcessor(ScriptableWindow &window, Session &session, TabControls controls,
                     ErrorReporter &errors);

    // `pageAddress` is the address of the page that holds the script: it decides where the
    // script may send a tab.
    void runStatements(const std::vector<Statement> &statements,
                       const QString &pageAddress = QString());

private:
    void run(const Statement &s, Trap &trap);
    void navigate(const Statement &s, Trap &trap);
    void barCommand(const QString &keyword, ScriptableWindow::Bar bar);
    void setPlacement(const QString &command, const QString &value);
    void setTabCount(const QString &value);

    ScriptableWindow &m_window;
    Session &m_session;
    TabControls m_c;
    ErrorReporter &m_errors;
    QString m_pageAddress;
};

}  // namespace pelquin
