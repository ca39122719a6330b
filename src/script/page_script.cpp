#include "script/page_script.h"

#include "platform/error_report.h"

namespace pelquin {

PageScript::PageScript(BrowserPool &browsers, CommandProcessor &processor, ErrorReporter &errors)
    : m_browsers(browsers), m_processor(processor), m_errors(errors)
{
    for (int t = 1; t <= kTabCount; ++t) {
        BrowserControl *browser = &m_browsers.at(t);
        QObject::connect(browser, &BrowserControl::beforeNavigate, browser,
                         [this, t](const QString &, bool topLevel) {
                             if (topLevel)
                                 ++m_navigations[t];
                         });
    }
}

void PageScript::runPageScript(int tab)
{
    const quint64 page = m_navigations[tab];
    const auto run = [this, tab, page](const QString &markup) {
        if (m_navigations[tab] != page)
            return;  // the markup of a page the tab has already left
        Trap(m_errors, QStringLiteral(" At PelScript")).step([&] {
            if (const auto block = pelscriptBlock(markup))
                process(*block, m_browsers.at(tab).locationUrl());
        });
    };
    Trap(m_errors, QStringLiteral(" At PelScript"), {}, {err::ObjectNotSet}).step([&] {
        // Only pages that may hold a block are read whole: 30 tabs sharing one page process
        // need not each serialise their markup while the front tab draws its first picture.
        m_browsers.at(tab).readBodyMarkupWith(kPelscriptWord, run);
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
