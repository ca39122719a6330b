#pragma once

#include "core/browser_control.h"
#include "tabs/page_note_bar.h"

#include <QObject>
#include <QPointer>
#include <QSet>

#include <deque>
#include <map>

class QWidget;

namespace pelquin {

class TabCollection;
class PageDialogBox;
class TabStrip;

// Page dialogs belong to their tab. The engine stands still for every tab while a script
// dialog or a login waits, so only the selected tab's may wait for the user, in a box that
// blocks only its page. An alert never waits: it becomes a note on its tab. A background
// tab's question or login is answered Cancel at once and noted, with a button that asks
// again. Notes show on a bar above the selected tab's page; a tab with a note not yet seen,
// or a permission question waiting, is marked. Permission answers are kept per origin for
// the run, and a page that keeps opening dialogs can be silenced until it is left.
class PageDialogQueue final : public QObject {
    Q_OBJECT
public:
    PageDialogQueue(TabStrip &strip, TabCollection &tabs, QWidget *window);
    ~PageDialogQueue() override;

    // Takes the dialogs of all 30 browsers.
    void connectAll();

    void request(int tab, const PageDialog &dialog, const PageDialogAnswer &answer);
    // Shows the newly selected tab's dialog and hides the others'.
    void selectionChanged();
    // Tab t went to another page: its dialog count and silence end.
    void pageChanged(int tab);

    // Dialogs of tab t not yet answered, the open one included.
    int pending(int tab) const;
    // The box on screen for tab t, if any.
    PageDialogBox *openBox(int tab) const;
    // Tab t's note, if it has one.
    const PageNote *note(int tab) const;
    // The bar above tab t's page while it shows t's note, else nothing.
    PageNoteBar *noteBar(int tab) const;
    // The login box a note's "Log in" opened for tab t, if any.
    PageDialogBox *loginBox(int tab) const;

signals:
    // The note bar above tab t's page came, changed or went: its page is placed again.
    void noteBarChanged(int tab);

private:
    struct Waiting {
        PageDialog dialog;
        PageDialogAnswer answer;
    };
    static bool isScriptDialog(const PageDialog &dialog);
    static bool mayWaitForUser(const PageDialog &dialog);
    static QString permissionKey(const PageDialog &dialog);
    void showNext(int tab);
    void finished(int tab, PageDialogBox *box, const PageDialogAnswer &answer);
    // Tab t went to the background: what its page waits for is answered Cancel and noted.
    void cancelWaiting(int tab);
    void addNote(int tab, const PageDialog &ask);
    void closeNote(int tab);
    void onNoteAction();
    void updateNoteBar();
    void updateMark(int tab);

    TabStrip &m_strip;
    TabCollection &m_tabs;
    QWidget *m_window;
    std::map<int, std::deque<Waiting>> m_waiting;
    std::map<int, QPointer<PageDialogBox>> m_open;
    std::map<int, int> m_scriptDialogs;  // per tab, since its page was entered
    QSet<int> m_silenced;
    std::map<QString, bool> m_permissions;  // "origin|what" -> allowed
    std::map<int, PageNote> m_notes;
    PageNoteBar *m_noteBar;
    int m_noteBarTab = 0;  // the tab whose note the bar shows
    std::map<int, QPointer<PageDialogBox>> m_logins;
};

}  // namespace pelquin
