#include "watch/change_marks.h"

#include "core/page_text.h"
#include "platform/clock.h"
#include "tabs/tab_collection.h"
#include "tabs/tab_strip.h"
#include "watch/attention_order.h"
#include "watch/watch_alerts.h"
#include "watch/watched_pages.h"
#include "watch/watched_text.h"
#include "watch/word_diff.h"

#include <QPointer>

namespace pelquin {

ChangeMarks::ChangeMarks(TabCollection &tabs, TabStrip &strip, WatchedPages &pages,
                         const Clock &clock, QObject *parent)
    : QObject(parent), m_tabs(tabs), m_strip(strip), m_pages(pages), m_clock(clock)
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
    if (selected) {
        if (selected->changed())
            highlightAdded(*selected);
        selected->setChangedSince(QDateTime());
        selected->clearAlerts();
    }
}

void ChangeMarks::highlightAdded(BrowserTab &tab)
{
    const SeenWords &seen = tab.seenWords();
    // A huge page's diff would hold the selection up: What Changed shows it instead.
    constexpr qsizetype kLongest = 200 * 1024;
    if (!seen.known || !seen.latest || seen.address != tab.state().currentUrl ||
        seen.text.size() > kLongest || seen.latest->size() > kLongest)
        return;
    QStringList added;
    for (const DiffPiece &piece : wordDiff(seen.text, *seen.latest))
        if (piece.kind == DiffKind::Added && !piece.text.trimmed().isEmpty() && added.size() < 30)
            added << piece.text.trimmed();
    if (!added.isEmpty())
        tab.browser().highlightAdded(added);
}

void ChangeMarks::pageCompleted(BrowserTab &tab, const QString &address)
{
    // The page that says its page stopped is ours, not the page's words; a paused tab's
    // marks wait for its hours.
    if (tab.state().crashed || tab.paused())
        return;
    if (&tab == m_looking)
        remember(tab, Reading::Settled);
    else
        compare(tab, address, Reading::Settled);
}

void ChangeMarks::pageTextMoved(BrowserTab &tab)
{
    // A page still loading says so later; a paused one when its hours begin.
    if (tab.state().loading || tab.browser().busy() || tab.state().crashed || tab.paused())
        return;
    // What the user looks at is seen as it changes: still read, for when it last moved.
    if (&tab == m_looking)
        return remember(tab, Reading::AsShown);
    // The page has rested before it said so: its words are read as they are.
    compare(tab, tab.state().currentUrl, Reading::AsShown);
}

void ChangeMarks::readText(BrowserTab &tab, Reading reading, Use use)
{
    const quint64 question = ++tab.seenWords().question;
    const QPointer<ChangeMarks> alive(this);
    m_pages.read(tab, reading, [alive, &tab, question, use = std::move(use)](const QString &text) {
        if (alive && tab.seenWords().question == question)
            use(tab.seenWords(), text);
    });
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
    readText(tab, reading, [this, &tab, address](SeenWords &seen, const QString &watched) {
        seen.address = address;
        seen.digest = m_pages.digestOf(tab, watched);
        seen.text = watched;
        seen.time = m_clock.now();
        seen.known = true;
        seen.noteReading(seen.digest, seen.time);
        seen.latest = watched;  // what the user has seen is no news
        m_pages.keepVersion(tab, address, watched, seen.time);
    });
}

void ChangeMarks::compare(BrowserTab &tab, const QString &address, Reading reading)
{
    readText(tab, reading,
             [this, &tab, address](SeenWords &seen, const QString &watched) {
        const QDateTime now = m_clock.now();
        m_pages.keepVersion(tab, address, watched, now);
        const QByteArray digest = m_pages.digestOf(tab, watched);
        seen.noteReading(digest, now);
        if (!seen.known || seen.address != address) {
            // A page the user has not seen here: what it shows first is what later loads of
            // it are compared with.
            seen.address = address;
            seen.digest = digest;
            seen.text = watched;
            seen.time = now;
            seen.known = true;
            alertOn(tab, std::nullopt, watched);
            return;
        }
        alertOn(tab, seen.latest, watched);
        if (digest == seen.digest || tab.changed() || &tab == m_looking)
            return;
        tab.setChangedSince(now);
        emit tabChanged(tab);
    });
}

void ChangeMarks::alertOn(BrowserTab &tab, std::optional<QString> before, const QString &now)
{
    tab.seenWords().latest = now;  // `before` is a copy: it may have been this
    const WatchRule *rule = m_pages.ruleFor(tab);
    if (!rule || &tab == m_looking)
        return;
    const QDateTime time = m_clock.now();
    for (const WatchAlert &alert : firingAlerts(*rule, before, now)) {
        tab.addAlert(alert.tipAt(time), alertStatus(tab.number(), alert, time));
        emit tabAlerted(tab, alert);
    }
}

}  // namespace pelquin
