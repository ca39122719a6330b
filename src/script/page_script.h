// script/: the page script: reading it from a completed page, parsing its statements and
// carrying them out on the window through ScriptableWindow.

#pragma once

#include "script/command_processor.h"
#include "tabs/tab_controls.h"

namespace pelquin {

class ErrorReporter;

// Reads the first PELSCRIPT block of a page that has finished loading and has its
// statements carried out.
class PageScript {
public:
    PageScript(TabCollection &tabs, CommandProcessor &processor, ErrorReporter &errors);

    // Reads tab t's body markup; its script runs when the markup arrives, unless the tab has
    // gone on to another page by then.
    void runPageScript(int tab);
    // Splits a block's text into statements and runs them as the script of the page at
    // `pageAddress` (unknown: a page of the web).
    void process(const QString &script, const QString &pageAddress = QString());

private:
    TabCollection &m_tabs;
    CommandProcessor &m_processor;
    ErrorReporter &m_errors;
};

}  // namespace pelquin
