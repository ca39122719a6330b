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
    for (BrowserTab &tab : m_tabs) {
        connect(&tab, &BrowserTab::pageCompleted, this,
                [this, &tab](const QString &address) { pageCompleted(tab, address); });
        connect(&tab, &BrowserTab::pageTextMoved, this, [this, &tab] { pageTextMoved(tab); });
    }
}

void ChangeMarks::selectionChanged()
{
    const int number = m_strip.selected();
    BrowserTab *selected = m_tabs.contains(number) ? &m_tabs.tab(number) : nullptr;
    if (selected == m_looking)
        return;
    if (m_looking)
        remember(*m_looking, Reading::AsShown);
    m_looking = selected;
    if (selected)
        selected->setChangedSince(QDateTime());
}

void ChangeMarks::pageCompleted(BrowserTab &tab, const QString &address)
{
    if (&tab == m_looking)
        remember(tab, Reading::Settled);
    else
        compare(tab, address);
}

void ChangeMarks::pageTextMoved(BrowserTab &tab)
{
    // What the user looks at is seen as it changes; a page still loading says so later.
    if (&tab == m_looking || tab.state().loading || tab.browser().busy())
        return;
    compare(tab, tab.state().currentUrl);
}

void ChangeMarks::readText(BrowserTab &tab, Reading reading,
                           std::function<void(SeenWords &, const QByteArray &)> use)
{
    const quint64 question = ++tab.seenWords().question;
    const QPointer<ChangeMarks> alive(this);
    auto answer = [alive, &tab, question, use = std::move(use)](const QString &text) {
        if (!alive)
            return;
        SeenWords &answered = tab.seenWords();
        if (answered.question == question)
            use(answered, visibleTextDigest(text));
    };
    // A completed page may still be filling in its words; what the user leaves is as seen.
    if (reading == Reading::Settled)
        tab.browser().readSettledText(std::move(answer));
    else
        tab.browser().readVisibleText(std::move(answer));
}

void ChangeMarks::remember(BrowserTab &tab, Reading reading)
{
    if (tab.state().loading || tab.browser().busy()) {
        // Half a page is no measure: what the page shows when it completes is.
        SeenWords &seen = tab.seenWords();
        seen.known = false;
        ++seen.question;
        return;
    }
    const QString address = tab.state().currentUrl;
    readText(tab, reading, [address](SeenWords &seen, const QByteArray &digest) {
        seen.address = address;
        seen.digest = digest;
        seen.known = true;
    });
}

void ChangeMarks::compare(BrowserTab &tab, const QString &address)
{
    readText(tab, Reading::Settled,
             [this, &tab, address](SeenWords &seen, const QByteArray &digest) {
        if (!seen.known || seen.address != address) {
            // A page the user has not seen here: what it shows first is what later loads of
            // it are compared with.
            seen.address = address;
            seen.digest = digest;
            seen.known = true;
            return;
        }
        if (digest == seen.digest || tab.changed() || &tab == m_looking)
            return;
        tab.setChangedSince(m_clock.now());
        emit tabChanged(tab);
    });
}

}  // namespace pelquin
