#include "tabs/page_dialog_queue.h"

#include "tabs/page_dialog_box.h"
#include "tabs/tab_collection.h"
#include "tabs/tab_strip.h"

#include <QWidget>

namespace pelquin {

using Kind = PageDialog::Kind;

PageDialogQueue::PageDialogQueue(TabStrip &strip, TabCollection &tabs, QWidget *window)
    : QObject(window), m_strip(strip), m_tabs(tabs), m_window(window),
      m_noteBar(new PageNoteBar(window))
{
    connect(m_noteBar, &PageNoteBar::actionClicked, this, &PageDialogQueue::onNoteAction);
    connect(m_noteBar, &PageNoteBar::closeClicked, this, [this] {
        if (m_noteBarTab)
            closeNote(*m_noteBarTab);
    });
    for (BrowserTab &tab : m_tabs) {
        connect(&tab.browser(), &BrowserControl::pageDialogRequested, this,
                [this, &tab](const PageDialog &d, const PageDialogAnswer &a) {
                    request(tab, d, a);
                });
        // Another page: its dialog count and silence end.
        connect(&tab, &BrowserTab::loadStarted, this, [&tab] {
            tab.asks().scriptDialogs = 0;
            tab.asks().silenced = false;
        });
    }
}

PageDialogQueue::~PageDialogQueue()
{
    // No page may wait for an answer that will never come.
    for (BrowserTab &tab : m_tabs) {
        PageAsks &asks = tab.asks();
        for (const PageAsks::Waiting &waiting : asks.waiting)
            waiting.answer(PageDialogReply{});
        asks.waiting.clear();
        for (PageDialogBox *box : {asks.open.data(), asks.login.data()}) {
            if (box)
                box->disconnect(this);
        }
    }
}

bool PageDialogQueue::isScriptDialog(const PageDialog &dialog)
{
    return dialog.kind == Kind::Alert || dialog.kind == Kind::Confirm ||
           dialog.kind == Kind::Prompt;
}

bool PageDialogQueue::mayWaitForUser(const PageDialog &dialog)
{
    return dialog.kind != Kind::Alert;
}

QString PageDialogQueue::permissionKey(const PageDialog &dialog)
{
    // Another port or scheme on the same host is another site, with its own answers.
    const QString origin = dialog.origin.isEmpty() ? dialog.site : dialog.origin;
    return origin + QLatin1Char('|') + dialog.text;
}

bool PageDialogQueue::isSelected(const BrowserTab &tab) const
{
    return tab.number() == m_strip.selected();
}

BrowserTab *PageDialogQueue::selectedTab() const
{
    const int selected = m_strip.selected();
    return m_tabs.contains(selected) ? &m_tabs.tab(selected) : nullptr;
}

void PageDialogQueue::request(BrowserTab &tab, const PageDialog &dialog,
                              const PageDialogAnswer &answer)
{
    PageAsks &asks = tab.asks();
    if (dialog.kind == Kind::Permission) {
        const auto known = m_permissions.find(permissionKey(dialog));
        if (known != m_permissions.end()) {
            answer(PageDialogReply{known->second, {}, {}});
            return;
        }
    }
    if (isScriptDialog(dialog)) {
        if (asks.silenced) {
            answer(PageDialogReply{});
            return;
        }
        ++asks.scriptDialogs;
    }
    // Answered before the engine goes on: a message never waits, and nobody is there to
    // answer a background tab.
    if (!mayWaitForUser(dialog) || (dialog.kind != Kind::Permission && !isSelected(tab))) {
        answer(PageDialogReply{dialog.kind == Kind::Alert, {}, {}});
        addNote(tab, dialog);
        return;
    }
    asks.waiting.push_back({dialog, answer});
    if (isSelected(tab) && !asks.open)
        showNext(tab);
    updateMark(tab);
}

void PageDialogQueue::showNext(BrowserTab &tab)
{
    PageAsks &asks = tab.asks();
    if (asks.waiting.empty())
        return;
    const PageAsks::Waiting next = asks.waiting.front();
    asks.waiting.pop_front();
    // From the page's second dialog on, the user may silence it.
    const bool offer = isScriptDialog(next.dialog) && asks.scriptDialogs >= 2;
    auto *box = new PageDialogBox(tab, next.dialog, offer, m_window);
    asks.open = box;
    if (QWidget *page = tab.page())
        page->setEnabled(false);
    connect(box, &QDialog::finished, this,
            [this, &tab, box, answer = next.answer] { finished(tab, box, answer); });
    box->show();
    box->raise();
    box->activateWindow();
}

void PageDialogQueue::finished(BrowserTab &tab, PageDialogBox *box,
                               const PageDialogAnswer &answer)
{
    PageAsks &asks = tab.asks();
    const PageDialogReply reply = box->reply();
    if (box->dialog().kind == Kind::Permission)
        m_permissions[permissionKey(box->dialog())] = reply.accepted;
    if (box->preventMore())
        asks.silenced = true;
    asks.open = nullptr;
    box->deleteLater();
    if (QWidget *page = tab.page())
        page->setEnabled(true);
    answer(reply);
    // Whatever the silenced page had queued gets the same answer as a dismissed box.
    if (asks.silenced) {
        std::deque<PageAsks::Waiting> rest;
        for (PageAsks::Waiting &w : asks.waiting) {
            if (isScriptDialog(w.dialog))
                w.answer(PageDialogReply{});
            else
                rest.push_back(std::move(w));
        }
        asks.waiting = std::move(rest);
    }
    if (isSelected(tab))
        showNext(tab);
    updateMark(tab);
}

void PageDialogQueue::selectionChanged()
{
    BrowserTab *selected = selectedTab();
    for (BrowserTab &tab : m_tabs) {
        if (&tab != selected && (!tab.asks().waiting.empty() || tab.asks().open))
            cancelWaiting(tab);
    }
    for (BrowserTab &tab : m_tabs) {
        if (&tab != selected && tab.asks().open)
            tab.asks().open->hide();
    }
    if (selected && selected->asks().note)
        selected->asks().note->seen = true;
    updateNoteBar();
    if (selected) {
        if (PageDialogBox *box = openBox(*selected)) {
            box->show();
            box->raise();
            box->activateWindow();
        } else {
            showNext(*selected);
        }
    }
    for (BrowserTab &tab : m_tabs) {
        if (tab.asks().open)
            updateMark(tab);
    }
    if (selected)
        updateMark(*selected);
}

void PageDialogQueue::cancelWaiting(BrowserTab &tab)
{
    PageAsks &asks = tab.asks();
    // A box on screen for a script dialog or a login holds the engine: it goes too, and
    // its handler answers Cancel.
    if (PageDialogBox *box = openBox(tab); box && box->dialog().kind != Kind::Permission) {
        const PageDialog ask = box->dialog();
        box->done(QDialog::Rejected);
        addNote(tab, ask);
    }
    std::deque<PageAsks::Waiting> rest;
    for (PageAsks::Waiting &w : asks.waiting) {
        if (w.dialog.kind == Kind::Permission) {
            rest.push_back(std::move(w));
        } else {
            w.answer(PageDialogReply{});
            addNote(tab, w.dialog);
        }
    }
    asks.waiting = std::move(rest);
    updateMark(tab);
}

void PageDialogQueue::addNote(BrowserTab &tab, const PageDialog &ask)
{
    std::optional<PageNote> &note = tab.asks().note;
    note = noteFor(ask, note ? &*note : nullptr);
    note->seen = isSelected(tab);
    if (isSelected(tab))
        updateNoteBar();
    updateMark(tab);
}

void PageDialogQueue::closeNote(BrowserTab &tab)
{
    tab.asks().note.reset();
    updateNoteBar();
    updateMark(tab);
}

void PageDialogQueue::onNoteAction()
{
    if (!m_noteBarTab || !m_noteBarTab->asks().note)
        return;
    BrowserTab &tab = *m_noteBarTab;
    const PageNote note = *tab.asks().note;
    switch (note.kind) {
    case PageNote::Kind::Alert:
        closeNote(tab);
        return;
    case PageNote::Kind::CancelledQuestion:
        closeNote(tab);
        tab.browser().refresh();
        return;
    case PageNote::Kind::CancelledLogin:
        logIn(tab, note.ask);
        return;
    }
}

void PageDialogQueue::logIn(BrowserTab &tab, const PageDialog &ask)
{
    // Asked outside the engine's callback: the page loads again with the answer.
    if (PageDialogBox *open = loginBox(tab)) {
        open->raise();
        open->activateWindow();
        return;
    }
    auto *box = new PageDialogBox(tab, ask, false, m_window);
    tab.asks().login = box;
    connect(box, &QDialog::finished, this, [this, &tab, box, ask] {
        const PageDialogReply reply = box->reply();
        tab.asks().login = nullptr;
        box->deleteLater();
        if (!reply.accepted)
            return;
        closeNote(tab);
        tab.browser().loginAndReload(ask, reply.text, reply.password);
    });
    box->show();
    box->raise();
    box->activateWindow();
}

void PageDialogQueue::updateNoteBar()
{
    BrowserTab *selected = selectedTab();
    BrowserTab *before = m_noteBar->isHidden() ? nullptr : m_noteBarTab;
    if (!selected || !selected->asks().note) {
        m_noteBar->setVisible(false);
    } else {
        m_noteBar->showNote(*selected->asks().note);
        m_noteBar->setVisible(true);
        m_noteBarTab = selected;
    }
    if (before && before != selected)
        emit noteBarChanged(*before);
    if (selected)
        emit noteBarChanged(*selected);
}

const PageNote *PageDialogQueue::note(const BrowserTab &tab)
{
    return tab.asks().note ? &*tab.asks().note : nullptr;
}

PageNoteBar *PageDialogQueue::noteBar(const BrowserTab &tab) const
{
    return !m_noteBar->isHidden() && &tab == m_noteBarTab ? m_noteBar : nullptr;
}

PageDialogBox *PageDialogQueue::openBox(const BrowserTab &tab)
{
    return tab.asks().open.data();
}

PageDialogBox *PageDialogQueue::loginBox(const BrowserTab &tab)
{
    return tab.asks().login.data();
}

int PageDialogQueue::pending(const BrowserTab &tab)
{
    return int(tab.asks().waiting.size()) + (openBox(tab) ? 1 : 0);
}

void PageDialogQueue::updateMark(BrowserTab &tab)
{
    const PageDialogBox *box = openBox(tab);
    const PageNote *unseen = note(tab);
    const bool waiting = (pending(tab) > 0 && !(box && box->isVisible())) ||
                         (unseen && !unseen->seen);
    tab.setWaiting(waiting);
}

}  // namespace pelquin
