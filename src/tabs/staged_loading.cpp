#include "tabs/staged_loading.h"

#include "tabs/tab_collection.h"
#include "platform/error_report.h"
#include "core/session.h"
#include "tabs/tab_strip.h"

namespace pelquin {

StagedLoading::StagedLoading(Session &session, TabControls controls,
                             const RefreshPauses &pauses, ErrorReporter &errors)
    : m_session(session), m_c(controls), m_pauses(pauses), m_errors(errors)
{
}

void StagedLoading::startNextTabs()
{
    if (m_pauses.has(RefreshPause::Offline) || m_session.tabs.startupDone)
        return;
    if (!m_c.tabs.startupPending()) {
        m_session.tabs.startupDone = true;
        return;
    }
    Trap trap(m_errors, QStringLiteral(" At DoStartup"), {err::ObjectNotSet});
    for (BrowserTab &tab : m_c.tabs) {
        if (trap.ended())
            break;
        const TabSetting &setting = m_session.settings[tab.number()];
        if (tab.state().started || setting.startUrl.trimmed().isEmpty())
            continue;
        if (setting.pauseWhileLoading && m_c.tabs.allStartedTabsLoaded())
            start(tab.number(), true, trap);
        else if (!setting.pauseWhileLoading)
            start(tab.number(), false, trap);
    }
}

void StagedLoading::start(int tab, bool clearCaption, Trap &trap)
{
    // The flags are set before the browser is touched: the browser may run events here.
    m_c.tabs.tab(tab).state().loading = true;
    m_c.tabs.tab(tab).state().started = true;
    BrowserControl &browser = m_c.tabs.tab(tab).browser();
    try {
        browser.blankDocument();
    } catch (const BasicError &) {
        // a browser without a document yet shows nothing to blank
    }
    trap.step([&] { m_c.tabs.tab(tab).setAddress(QString()); });
    trap.step([&] {
        BrowserTab &cleared = m_c.tabs.tab(tab);
        cleared.setToolTip(QString());
        if (clearCaption)
            cleared.setCaption(QString());
        cleared.setPicture(TabPicture::None);
    });
    trap.step([&] {
        const QString &url = m_session.settings[tab].startUrl;
        if (!url.trimmed().isEmpty())
            browser.navigate(url);
    });
}

}  // namespace pelquin
