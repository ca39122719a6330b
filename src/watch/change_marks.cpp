#include "watch/change_marks.h"

#include "core/page_text.h"
#include "platform/clock.h"
#include "tabs/tab_collection.h"
#include "tabs/tab_strip.h"

#include <QPointer>

namespace pelquin {

ChangeMarks::ChangeMarks(TabCollection &tabs, TabStrip &strip, const Clock &clock,
                         QObject *parent)
    : QObject(parent), m_tabs(tabs), m_strip(strip), m_clock(clock)
{
}

void ChangeMarks::connectAll()
{
    for (BrowserTab &tab : m_tabs) {
        const int t = tab.number();
        connect(&tab, &BrowserTab::pageCompleted, this,
                [this, t](const QString &address) { pageCompleted(t, address); });
    }
}

void ChangeMarks::selectionChanged()
{
    const int selected = m_strip.selected();
    if (selected == m_looking)
        return;
    if (m_tabs.contains(m_looking))
        remember(m_looking, Reading::AsShown);
    m_looking = selected;
    if (m_tabs.contains(selected))
        m_tabs.tab(selected).setChangedSince(QDateTime());
}

bool ChangeMarks::marked(int tab) const
{
    return m_tabs.contains(tab) && m_tabs.tab(tab).changed();
}

int ChangeMarks::nextMarked(int tab) const
{
    const int count = m_strip.count();
    for (int step = 1; step <= count; ++step) {
        const int candidate = (tab - 1 + step) % count + 1;
        if (marked(candidate))
            return candidate;
    }
    return 0;
}

void ChangeMarks::pageCompleted(int tab, const QString &address)
{
    if (tab == m_looking)
        remember(tab, Reading::Settled);
    else
        compare(tab, address);
}

void ChangeMarks::readText(int tab, Reading reading,
                           std::function<void(SeenText &, const QByteArray &)> use)
{
    SeenText &seen = m_seen[tab];
    const quint64 question = ++seen.question;
    const QPointer<ChangeMarks> alive(this);
    auto answer = [this, alive, tab, question, use = std::move(use)](const QString &text) {
        if (!alive)
            return;
        SeenText &answered = m_seen[tab];
        if (answered.question == question)
            use(answered, visibleTextDigest(text));
    };
    BrowserControl &browser = m_tabs.tab(tab).browser();
    // A completed page may still be filling in its words; what the user leaves is as seen.
    if (reading == Reading::Settled)
        browser.readSettledText(std::move(answer));
    else
        browser.readVisibleText(std::move(answer));
}

void ChangeMarks::remember(int tab, Reading reading)
{
    const BrowserTab &shown = m_tabs.tab(tab);
    if (shown.state().loading || shown.browser().busy()) {
        // Half a page is no measure: what the page shows when it completes is.
        SeenText &seen = m_seen[tab];
        seen.known = false;
        ++seen.question;
        return;
    }
    const QString address = shown.state().currentUrl;
    readText(tab, reading, [address](SeenText &seen, const QByteArray &digest) {
        seen.address = address;
        seen.digest = digest;
        seen.known = true;
    });
}

void ChangeMarks::compare(int tab, const QString &address)
{
    readText(tab, Reading::Settled,
             [this, tab, address](SeenText &seen, const QByteArray &digest) {
        if (!seen.known || seen.address != address) {
            // A page the user has not seen here: what it shows first is what later loads of
            // it are compared with.
            seen.address = address;
            seen.digest = digest;
            seen.known = true;
            return;
        }
        if (digest == seen.digest || marked(tab) || tab == m_looking)
            return;
        m_tabs.tab(tab).setChangedSince(m_clock.now());
        emit tabChanged(tab);
    });
}

}  // namespace pelquin
