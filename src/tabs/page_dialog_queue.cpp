#include "tabs/page_dialog_queue.h"

#include "tabs/browser_pool.h"
#include "tabs/page_dialog_box.h"
#include "tabs/tab_strip.h"

#include <QWidget>

namespace pelquin {

using Kind = PageDialog::Kind;

PageDialogQueue::PageDialogQueue(TabStrip &strip, BrowserPool &browsers, QWidget *window)
    : QObject(window), m_strip(strip), m_browsers(browsers), m_window(window)
{
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
}

void PageDialogQueue::connectAll()
{
    for (int t = 1; t <= kTabCount; ++t) {
        BrowserControl *b = &m_browsers.at(t);
        connect(b, &BrowserControl::pageDialogRequested, this,
                [this, t](const PageDialog &d, const PageDialogAnswer &a) { request(t, d, a); });
        connect(b, &BrowserControl::beforeNavigate, this, [this, t](const QString &, bool top) {
            if (top)
                pageChanged(t);
        });
    }
}

bool PageDialogQueue::isScriptDialog(const PageDialog &dialog)
{
    return dialog.kind == Kind::Alert || dialog.kind == Kind::Confirm ||
           dialog.kind == Kind::Prompt;
}

QString PageDialogQueue::permissionKey(const PageDialog &dialog)
{
    return dialog.site + QLatin1Char('|') + dialog.text;
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
    if (QWidget *page = m_browsers.widget(tab))
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
    if (QWidget *page = m_browsers.widget(tab))
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
    for (auto &[tab, box] : m_open) {
        if (box && tab != selected)
            box->hide();
    }
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
    if (tab < 1 || tab > m_strip.count())
        return;
    const PageDialogBox *box = openBox(tab);
    const bool waiting = pending(tab) > 0 && !(box && box->isVisible());
    m_strip.setWaitingMark(tab, waiting);
}

}  // namespace pelquin
