#include "tabs/staged_loading.h"

#include "tabs/address_bar.h"
#include "platform/error_report.h"
#include "core/session.h"
#include "tabs/tab_strip.h"

namespace pelquin {

StagedLoading::StagedLoading(Session &session, TabControls controls, ErrorReporter &errors)
    : m_session(session), m_c(controls), m_errors(errors)
{
}

void StagedLoading::startNextTabs()
{
    TabModel &tabs = m_session.tabs;
    if (m_session.workOffline || tabs.startupDone)
        return;
    if (!tabs.startupPending()) {
        tabs.startupDone = true;
        return;
    }
    Trap trap(m_errors, QStringLiteral(" At DoStartup"), {err::ObjectNotSet});
    for (int i = 1; i <= kTabCount && !trap.ended(); ++i) {
        const TabSetting &setting = m_session.settings[i];
        if (tabs[i].started || setting.startUrl.trimmed().isEmpty())
            continue;
        if (setting.pauseWhileLoading && tabs.allStartedTabsLoaded())
            start(i, true, trap);
        else if (!setting.pauseWhileLoading)
            start(i, false, trap);
    }
}

void StagedLoading::start(int tab, bool clearCaption, Trap &trap)
{
    // The flags are set before the browser is touched: the browser may run events here.
    m_session.tabs[tab].loading = true;
    m_session.tabs[tab].started = true;
    BrowserControl &browser = m_c.browsers.at(tab);
    try {
        browser.blankDocument();
    } catch (const BasicError &) {
        // a browser without a document yet shows nothing to blank
    }
    trap.step([&] { m_c.addressBar.setText(tab, QString()); });
    trap.step([&] {
        m_c.tabStrip.setToolTip(tab, QString());
        if (clearCaption)
            m_c.tabStrip.setCaption(tab, QString());
        m_c.tabStrip.setImage(tab, 0);
    });
    trap.step([&] {
        const QString &url = m_session.settings[tab].startUrl;
        if (!url.trimmed().isEmpty())
            browser.navigate(url);
    });
}

}  // namespace pelquin
