#include "script/page_script.h"

#include "platform/error_report.h"

namespace pelquin {

PageScript::PageScript(TabCollection &tabs, CommandProcessor &processor, ErrorReporter &errors)
    : m_tabs(tabs), m_processor(processor), m_errors(errors)
{
    for (BrowserTab &tab : m_tabs) {
        QObject::connect(&tab, &BrowserTab::loadStarted, &tab,
                         [&tab] { ++tab.state().navigations; });
        QObject::connect(&tab, &BrowserTab::pageCompleted, &tab,
                         [this, number = tab.number()] { runPageScript(number); });
    }
}

void PageScript::runPageScript(int tab)
{
    const quint64 page = m_tabs.tab(tab).state().navigations;
    const auto run = [this, tab, page](const QString &markup) {
        if (m_tabs.tab(tab).state().navigations != page)
            return;  // the markup of a page the tab has already left
        Trap(m_errors, QStringLiteral(" At PelScript")).step([&] {
            if (const auto block = pelscriptBlock(markup))
                process(*block, m_tabs.tab(tab).browser().locationUrl());
        });
    };
    Trap(m_errors, QStringLiteral(" At PelScript"), {}, {err::ObjectNotSet}).step([&] {
        // Only pages that may hold a block are read whole: 30 tabs sharing one page process
        // need not each serialise their markup while the front tab draws its first picture.
        m_tabs.tab(tab).browser().readBodyMarkupWith(kPelscriptWord, run);
    });
}

void PageScript::process(const QString &script, const QString &pageAddress)
{
    std::vector<Statement> statements;
    Trap trap(m_errors, QStringLiteral(" At ProcessPelScript"));
    trap.step([&] { statements = parseStatements(script); });
    if (!trap.ended())
        m_processor.runStatements(statements, pageAddress);
}

}  // namespace pelquin
