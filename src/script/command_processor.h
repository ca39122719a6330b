#pragma once

#include "core/scriptable_window.h"
#include "script/script_parser.h"

#include <vector>

namespace pelquin {

class ErrorReporter;
class Trap;
struct Session;

// runStatements: carries out a page script's statements on the main window, from the last
// statement to the first.
class CommandProcessor {
public:
    // `appFolder` holds Pelquin's own pages, which alone may send a tab to a local file.
    CommandProcessor(ScriptableWindow &window, QString appFolder, ErrorReporter &errors);

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
    QString m_appFolder;
    ErrorReporter &m_errors;
    QString m_pageAddress;
};

}  // namespace pelquin
