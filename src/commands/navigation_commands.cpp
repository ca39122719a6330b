#include "commands/navigation_commands.h"

#include "platform/error_report.h"
#include "commands/speed_menu.h"
#include "core/session.h"
#include "sponsor/sponsor_site.h"
#include "tabs/tab_strip.h"

namespace pelquin {

namespace {
const QString kMnuBack = QStringLiteral(" At MnuBack");
}

NavigationCommands::NavigationCommands(Session &session, TabControls controls,
                                       SpeedMenu &menu, const SponsorSite &sponsor,
                                       ErrorReporter &errors)
    : m_session(session), m_c(controls), m_menu(menu), m_sponsor(sponsor), m_errors(errors)
{
}

int NavigationCommands::selected() const
{
    const int t = m_c.tabStrip.selected();
    if (!m_c.tabs.contains(t))
        throwError(err::ObjectNotSet);  // no tab left to act on
    return t;
}

void NavigationCommands::history(HistoryDirection direction)
{
    const bool back = direction == HistoryDirection::Back;
    Trap trap(m_errors, kMnuBack, {err::ObjectNotSet, err::NoSuchProperty});
    trap.step([&] {
        const int t = selected();
        m_session.tabs.historyDirection = HistoryDirection::None;
        m_c.tabs.tab(t).state().loading = false;
        m_session.tabs.historyDirection = direction;
        try {
            if (back)
                m_c.tabs.tab(t).browser().goBack();
            else
                m_c.tabs.tab(t).browser().goForward();
        } catch (const BasicError &error) {
            if (error.number() != err::EFail)
                throw;
            // No history that way: its item and button go grey.
            (back ? m_menu.backItem : m_menu.forwardItem)->setEnabled(false);
            TabState &state = m_c.tabs.tab(t).state();
            (back ? state.backEnabled : state.forwardEnabled) = false;
        }
    });
}

void NavigationCommands::goBack() { history(HistoryDirection::Back); }

void NavigationCommands::goForward() { history(HistoryDirection::Forward); }

void NavigationCommands::stop()
{
    Trap(m_errors, kMnuBack, {err::ObjectNotSet, err::EFail}).step([&] {
        const int t = selected();
        BrowserControl &browser = m_c.tabs.tab(t).browser();
        if (browser.locationUrl().contains(m_sponsor.domain()))
            return;  // a sponsor page cannot be stopped
        m_session.tabs.historyDirection = HistoryDirection::None;
        m_c.tabs.tab(t).state().loading = false;
        if (browser.busy())
            browser.stop();
    });
}

void NavigationCommands::refresh()
{
    reload(&BrowserControl::refresh);
}

void NavigationCommands::refreshPastCache()
{
    reload(&BrowserControl::refreshBypassingCache);
}

void NavigationCommands::reload(void (BrowserControl::*how)())
{
    m_session.tabs.historyDirection = HistoryDirection::None;
    Trap trap(m_errors, QStringLiteral(" At mnuPrint_"), {err::ObjectNotSet, err::EFail});
    int t = 0;
    trap.step([&] { t = selected(); });
    trap.step([&] { m_c.tabs.tab(t).setPicture(TabPicture::None); });
    trap.step([&] { (m_c.tabs.tab(t).browser().*how)(); });
    trap.step([&] { m_c.tabs.tab(t).state().refreshing = true; });
}

void NavigationCommands::goHome()
{
    m_session.tabs.historyDirection = HistoryDirection::None;
    Trap(m_errors, kMnuBack, {err::ObjectNotSet, err::EFail}).step([&] {
        const int t = selected();
        const QString &home = m_session.settings[t].startUrl;
        if (!home.trimmed().isEmpty())
            m_c.tabs.tab(t).browser().navigate(home);
    });
}

void NavigationCommands::search()
{
    m_session.tabs.historyDirection = HistoryDirection::None;
    // Search reports nothing: listed errors are passed over, any other ends it quietly.
    Trap trap(m_errors, QString(), {err::ObjectNotSet, err::NoSuchProperty, err::EFail},
              {Trap::kAnyError});
    trap.step([&] {
        BrowserControl &search = m_c.tabs.tab(2).browser();
        if (!search.locationUrl().contains(m_sponsor.searchResultsMark())) {
            try {
                search.blankDocument();
            } catch (const BasicError &error) {
                if (error.number() != err::ObjectNotSet)
                    throw;
            }
            search.navigate(m_sponsor.searchFormUrl());
        }
    });
    trap.step([&] { m_c.tabStrip.select(2); });
}

void NavigationCommands::print()
{
    m_session.tabs.historyDirection = HistoryDirection::None;
    Trap(m_errors, QStringLiteral(" At mnuPrint"), {err::ObjectNotSet, err::EFail}).step([&] {
        BrowserControl &browser = m_c.tabs.tab(selected()).browser();
        bool available = false;
        try {
            available = browser.commandAvailable(PageCommand::Print);
        } catch (const BasicError &) {
            return;  // the query failed: nothing to print
        }
        if (available)
            browser.exec(PageCommand::Print);
    });
}

void NavigationCommands::homeHint()
{
    const int t = m_c.tabStrip.selected();
    if (m_c.tabs.contains(t))
        m_menu.item(Command::Home)->setToolTip(m_session.settings[t].startUrl);
}

}  // namespace pelquin
