#pragma once

#include "script/script_parser.h"
#include "tabs/browser_pool.h"

#include <vector>

class QWidget;

namespace pelquin {

class DisplayModes;
class ErrorReporter;
class SpeedMenu;
class Trap;
struct Session;

// processscript: carries out a page script's statements on the main window, from the last
// statement to the first.
class CommandProcessor {
public:
    CommandProcessor(QWidget &window, Session &session, TabControls controls, SpeedMenu &menu,
                     DisplayModes &modes, ErrorReporter &errors);

    // `pageAddress` is the address of the page that holds the script: it decides where the
    // script may send a tab.
    void processscript(const std::vector<Statement> &statements,
                       const QString &pageAddress = QString());

private:
    void run(const Statement &s, Trap &trap);
    void navigate(const Statement &s, Trap &trap);
    void barCommand(const QString &keyword, const QString &tag, void (DisplayModes::*toggle)());
    void setPlacement(const QString &command, const QString &value);
    void setResizable(bool resizable);
    void setTabCount(const QString &value);
    void unMaximise();

    QWidget &m_window;
    Session &m_session;
    TabControls m_c;
    SpeedMenu &m_menu;
    DisplayModes &m_modes;
    ErrorReporter &m_errors;
    QString m_pageAddress;
};

}  // namespace pelquin
