#include "tabs/free_tabs.h"

#include "core/session.h"
#include "core/typed_address.h"
#include "platform/error_report.h"
#include "tabs/tab_strip.h"

#include <cstdio>

namespace pelquin {

namespace {

constexpr int kFirstOwnTab = 3;  // tabs 1 and 2 are the sponsor's

}  // namespace

FreeTabs::FreeTabs(Session &session, TabControls controls, ErrorReporter &errors,
                   QObject *parent)
    : QObject(parent), m_session(session), m_c(controls), m_errors(errors)
{
    for (BrowserTab &each : m_c.tabs) {
        const int t = each.number();
        BrowserControl &browser = m_c.tabs.tab(t).browser();
        connect(&browser, &BrowserControl::newTabQuery, this,
                [this](bool *available) { *available = firstFree() != 0; });
        connect(&browser, &BrowserControl::openInNewTab, this,
                [this, t](const QString &address, bool select) {
                    openLinkFrom(t, address, select);
                });
    }
}

int FreeTabs::firstFree() const
{
    // Only tabs the strip shows, after the sponsor's two.
    const int last = m_c.tabStrip.count();
    for (const BrowserTab &tab : m_c.tabs) {
        const int t = tab.number();
        if (t < kFirstOwnTab || t > last)
            continue;
        // A tab the user emptied is as free as one never used.
        if (!tab.hasPage() && m_session.settings[t].startUrl.trimmed().isEmpty() &&
            !tab.state().claimed)
            return t;
    }
    return 0;
}

void FreeTabs::openTyped(BrowserTab &tab, const QString &address)
{
    // The steps of an address typed into the tab's own address bar.
    Trap trap(m_errors, QStringLiteral(" At Combo Keypress"), {err::EFail});
    tab.state().claimed = true;
    trap.step([&] { tab.setPicture(TabPicture::None); });
    trap.step([&] { tab.browser().navigate(address); });
    trap.step([&] {
        Trap(m_errors, QStringLiteral(" At AddToCombos")).step([&] {
            QString copy = address;
            m_session.history.addToHistory(copy);
        });
    });
}

void FreeTabs::empty(BrowserTab &tab)
{
    Trap(m_errors, QStringLiteral(" At Empty Tab"), {err::EFail}).step([&] {
        tab.browser().stop();
        tab.state().emptied = true;
        tab.state().claimed = false;
        tab.browser().navigate(QString::fromLatin1(kBlankPage));
        tab.state().scriptCaption.clear();
        tab.setAddress(QString());
        tab.setCaption(QString());
        tab.setToolTip(QString());
        tab.setPicture(TabPicture::None);
    });
}

QList<int> FreeTabs::openFromOutside(const QStringList &addresses)
{
    QList<int> used;
    for (const QString &text : addresses) {
        const QString address =
            addressOrSearch(cleanAddressText(text), m_session.tabs.searchTemplate);
        if (!mayOpenFromOutside(address))
            continue;
        const int tab = firstFree();
        if (tab == 0) {
            std::fprintf(stderr, "pelquin: no tab is free for %s\n", qPrintable(address));
            continue;
        }
        openTyped(m_c.tabs.tab(tab), address);
        used << tab;
    }
    if (!used.isEmpty())
        m_c.tabStrip.select(used.first());
    return used;
}

int FreeTabs::openLinkFrom(int from, const QString &address, bool select)
{
    const QUrl target = typedAddressUrl(address);
    // Only where a link of that page could go.
    if (!scriptMayOpen(m_c.tabs.tab(from).browser().locationUrl(), target, m_session.appFolder))
        return 0;
    const int tab = firstFree();
    if (tab == 0) {
        m_c.status.showForAMoment(
            QStringLiteral("No tab is free for the link: every tab shows a page"));
        return 0;
    }
    openTyped(m_c.tabs.tab(tab), target.toString());
    if (select)
        m_c.tabStrip.select(tab);
    return tab;
}

}  // namespace pelquin
