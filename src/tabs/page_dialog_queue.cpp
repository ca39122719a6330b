#include "tabs/page_dialog_queue.h"

#include "tabs/page_dialog_box.h"
#include "tabs/tab_collection.h"
#include "tabs/tab_strip.h"

#include <QWidget>

#include <vector>

namespace pelquin {

using Kind = PageDialog::Kind;

PageDialogQueue::PageDialogQueue(TabStrip &strip, TabCollection &tabs, QWidget *window)
    : QObject(window), m_strip(strip), m_tabs(tabs), m_window(window),
      m_noteBar(new PageNoteBar(window))
{
    connect(m_noteBar, &PageNoteBar::actionClicked, this, &PageDialogQueue::onNoteAction);
    connect(m_noteBar, &PageNoteBar::closeClicked, this, [this] { closeNote(m_noteBarTab); });
}

PageDialogQueue::~PageDialogQueue()
{
    // No page may wait for an answer that will never come.
    for (auto &[tab, queue] : m_waiting) {
        for (const Waiting &waiting : queue)
            waiting.answer(PageDialogReply{});
    }
    for (auto &[tab, box] : m_open) {
        if (box)
            box->disconnect(this);
    }
    for (auto &[tab, box] : m_logins) {
        if (box)
            box->disconnect(this);
    }
}

void PageDialogQueue::connectAll()
{
    for (BrowserTab &tab : m_tabs) {
        const int t = tab.number();
        BrowserControl *b = &tab.browser();
        connect(b, &BrowserControl::pageDialogRequested, this,
                [this, t](const PageDialog &d, const PageDialogAnswer &a) { request(t, d, a); });
        connect(&tab, &BrowserTab::loadStarted, this, [this, t] { pageChanged(t); });
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

void PageDialogQueue::request(int tab, const PageDialog &dialog, const PageDialogAnswer &answer)
{
    if (dialog.kind == Kind::Permission) {
        const auto known = m_permissions.find(permissionKey(dialog));
        if (known != m_permissions.end()) {
            answer(PageDialogReply{known->second, {}, {}});
            return;
        }
    }
    if (isScriptDialog(dialog)) {
        if (m_silenced.contains(tab)) {
            answer(PageDialogReply{});
            return;
        }
        ++m_scriptDialogs[tab];
    }
    // Answered before the engine goes on: a message never waits, and nobody is there to
    // answer a background tab.
    if (!mayWaitForUser(dialog) ||
        (dialog.kind != Kind::Permission && tab != m_strip.selected())) {
        answer(PageDialogReply{dialog.kind == Kind::Alert, {}, {}});
        addNote(tab, dialog);
        return;
    }
    m_waiting[tab].push_back({dialog, answer});
    if (tab == m_strip.selected() && !m_open[tab])
        showNext(tab);
    updateMark(tab);
}

void PageDialogQueue::showNext(int tab)
{
    std::deque<Waiting> &queue = m_waiting[tab];
    if (queue.empty())
        return;
    const Waiting next = queue.front();
    queue.pop_front();
    // From the page's second dialog on, the user may silence it.
    const bool offer = isScriptDialog(next.dialog) && m_scriptDialogs[tab] >= 2;
    auto *box = new PageDialogBox(tab, next.dialog, offer, m_window);
    m_open[tab] = box;
    if (QWidget *page = m_tabs.tab(tab).page())
        page->setEnabled(false);
    connect(box, &QDialog::finished, this,
            [this, tab, box, answer = next.answer] { finished(tab, box, answer); });
    box->show();
    box->raise();
    box->activateWindow();
}

void PageDialogQueue::finished(int tab, PageDialogBox *box, const PageDialogAnswer &answer)
{
    const PageDialogReply reply = box->reply();
    if (box->dialog().kind == Kind::Permission)
        m_permissions[permissionKey(box->dialog())] = reply.accepted;
    if (box->preventMore())
        m_silenced.insert(tab);
    m_open.erase(tab);
    box->deleteLater();
    if (QWidget *page = m_tabs.tab(tab).page())
        page->setEnabled(true);
    answer(reply);
    // Whatever the silenced page had queued gets the same answer as a dismissed box.
    if (m_silenced.contains(tab)) {
        std::deque<Waiting> rest;
        for (Waiting &w : m_waiting[tab]) {
            if (isScriptDialog(w.dialog))
                w.answer(PageDialogReply{});
            else
                rest.push_back(std::move(w));
        }
        m_waiting[tab] = std::move(rest);
    }
    if (tab == m_strip.selected())
        showNext(tab);
    updateMark(tab);
}

void PageDialogQueue::selectionChanged()
{
    const int selected = m_strip.selected();
    std::vector<int> left;
    for (const auto &[tab, queue] : m_waiting) {
        if (tab != selected)
            left.push_back(tab);
    }
    for (const auto &[tab, box] : m_open) {
        if (box && tab != selected)
            left.push_back(tab);
    }
    for (const int tab : left)
        cancelWaiting(tab);
    for (auto &[tab, box] : m_open) {
        if (box && tab != selected)
            box->hide();
    }
    if (const auto note = m_notes.find(selected); note != m_notes.end())
        note->second.seen = true;
    updateNoteBar();
    if (PageDialogBox *box = openBox(selected)) {
        box->show();
        box->raise();
        box->activateWindow();
    } else {
        showNext(selected);
    }
    for (const auto &[tab, box] : m_open)
        updateMark(tab);
    updateMark(selected);
}

void PageDialogQueue::cancelWaiting(int tab)
{
    // A box on screen for a script dialog or a login holds the engine: it goes too, and
    // its handler answers Cancel.
    if (PageDialogBox *box = openBox(tab); box && box->dialog().kind != Kind::Permission) {
        const PageDialog ask = box->dialog();
        box->done(QDialog::Rejected);
        addNote(tab, ask);
    }
    std::deque<Waiting> rest;
    for (Waiting &w : m_waiting[tab]) {
        if (w.dialog.kind == Kind::Permission) {
            rest.push_back(std::move(w));
        } else {
            w.answer(PageDialogReply{});
            addNote(tab, w.dialog);
        }
    }
    m_waiting[tab] = std::move(rest);
    updateMark(tab);
}

void PageDialogQueue::addNote(int tab, const PageDialog &ask)
{
    const auto previous = m_notes.find(tab);
    PageNote note = noteFor(ask, previous == m_notes.end() ? nullptr : &previous->second);
    note.seen = tab == m_strip.selected();
    m_notes[tab] = note;
    if (tab == m_strip.selected())
        updateNoteBar();
    updateMark(tab);
}

void PageDialogQueue::closeNote(int tab)
{
    m_notes.erase(tab);
    updateNoteBar();
    updateMark(tab);
}

void PageDialogQueue::onNoteAction()
{
    const int tab = m_noteBarTab;
    const auto found = m_notes.find(tab);
    if (found == m_notes.end())
        return;
    const PageNote note = found->second;
    switch (note.kind) {
    case PageNote::Kind::Alert:
        closeNote(tab);
        return;
    case PageNote::Kind::CancelledQuestion:
        closeNote(tab);
        m_tabs.tab(tab).browser().refresh();
        return;
    case PageNote::Kind::CancelledLogin:
        break;
    }
    // Asked outside the engine's callback: the page loads again with the answer.
    if (PageDialogBox *open = loginBox(tab)) {
        open->raise();
        open->activateWindow();
        return;
    }
    auto *box = new PageDialogBox(tab, note.ask, false, m_window);
    m_logins[tab] = box;
    connect(box, &QDialog::finished, this, [this, tab, box, ask = note.ask] {
        const PageDialogReply reply = box->reply();
        m_logins.erase(tab);
        box->deleteLater();
        if (!reply.accepted)
            return;
        closeNote(tab);
        m_tabs.tab(tab).browser().loginAndReload(ask, reply.text, reply.password);
    });
    box->show();
    box->raise();
    box->activateWindow();
}

void PageDialogQueue::updateNoteBar()
{
    const int selected = m_strip.selected();
    const auto note = m_notes.find(selected);
    const int before = m_noteBar->isHidden() ? 0 : m_noteBarTab;
    if (note == m_notes.end()) {
        m_noteBar->setVisible(false);
    } else {
        m_noteBar->showNote(note->second);
        m_noteBar->setVisible(true);
        m_noteBarTab = selected;
    }
    if (before != 0 && before != selected)
        emit noteBarChanged(before);
    if (selected >= 1)
        emit noteBarChanged(selected);
}

const PageNote *PageDialogQueue::note(int tab) const
{
    const auto found = m_notes.find(tab);
    return found == m_notes.end() ? nullptr : &found->second;
}

PageNoteBar *PageDialogQueue::noteBar(int tab) const
{
    return !m_noteBar->isHidden() && tab == m_noteBarTab ? m_noteBar : nullptr;
}

PageDialogBox *PageDialogQueue::loginBox(int tab) const
{
    const auto open = m_logins.find(tab);
    return open == m_logins.end() ? nullptr : open->second.data();
}

void PageDialogQueue::pageChanged(int tab)
{
    m_scriptDialogs.erase(tab);
    m_silenced.remove(tab);
}

int PageDialogQueue::pending(int tab) const
{
    const auto waiting = m_waiting.find(tab);
    const int queued = waiting == m_waiting.end() ? 0 : int(waiting->second.size());
    return queued + (openBox(tab) ? 1 : 0);
}

PageDialogBox *PageDialogQueue::openBox(int tab) const
{
    const auto open = m_open.find(tab);
    return open == m_open.end() ? nullptr : open->second.data();
}

void PageDialogQueue::updateMark(int tab)
{
    if (!m_tabs.contains(tab))
        return;
    const PageDialogBox *box = openBox(tab);
    const PageNote *unseen = note(tab);
    const bool waiting = (pending(tab) > 0 && !(box && box->isVisible())) ||
                         (unseen && !unseen->seen);
    m_tabs.tab(tab).setWaiting(waiting);
}

}  // namespace pelquin
