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
            start(tab, true, trap);
        else if (!setting.pauseWhileLoading)
            start(tab, false, trap);
    }
}

void StagedLoading::start(BrowserTab &tab, bool clearCaption, Trap &trap)
{
    // The flags are set before the browser is touched: the browser may run events here.
    tab.state().loading = true;
    tab.state().started = true;
    BrowserControl &browser = tab.browser();
    try {
        browser.blankDocument();
    } catch (const BasicError &) {
        // a browser without a document yet shows nothing to blank
    }
    trap.step([&] { tab.setAddress(QString()); });
    trap.step([&] {
        tab.setToolTip(QString());
        if (clearCaption)
            tab.setCaption(QString());
        tab.setPicture(TabPicture::None);
    });
    trap.step([&] {
        const QString &url = m_session.settings[tab.number()].startUrl;
        if (!url.trimmed().isEmpty())
            browser.navigate(url);
    });
}

}  // namespace pelquin
