#pragma once

#include "tabs/browser_tab.h"
#include "tabs/page_note_bar.h"

#include <QObject>
#include <QPointer>

#include <map>

class QWidget;

namespace pelquin {

class PageDialogBox;
class TabCollection;
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

    void request(BrowserTab &tab, const PageDialog &dialog, const PageDialogAnswer &answer);
    // Shows the newly selected tab's dialog and hides the others'.
    void selectionChanged();

    // Dialogs of the tab not yet answered, the open one included.
    static int pending(const BrowserTab &tab);
    // The box on screen for the tab, if any.
    static PageDialogBox *openBox(const BrowserTab &tab);
    // The tab's note, if it has one.
    static const PageNote *note(const BrowserTab &tab);
    // The bar above the tab's page while it shows its note, else nothing.
    PageNoteBar *noteBar(const BrowserTab &tab) const;
    // The login box a note's "Log in" opened for the tab, if any.
    static PageDialogBox *loginBox(const BrowserTab &tab);

signals:
    // The note bar above a tab's page came, changed or went: its page is placed again.
    void noteBarChanged(BrowserTab &tab);

private:
    static bool isScriptDialog(const PageDialog &dialog);
    static bool mayWaitForUser(const PageDialog &dialog);
    static QString permissionKey(const PageDialog &dialog);
    bool isSelected(const BrowserTab &tab) const;
    BrowserTab *selectedTab() const;
    void showNext(BrowserTab &tab);
    void finished(BrowserTab &tab, PageDialogBox *box, const PageDialogAnswer &answer);
    // The tab went to the background: what its page waits for is answered Cancel and noted.
    void cancelWaiting(BrowserTab &tab);
    void addNote(BrowserTab &tab, const PageDialog &ask);
    void closeNote(BrowserTab &tab);
    void onNoteAction();
    void logIn(BrowserTab &tab, const PageDialog &ask);
    void updateNoteBar();
    static void updateMark(BrowserTab &tab);

    TabStrip &m_strip;
    TabCollection &m_tabs;
    QWidget *m_window;
    std::map<QString, bool> m_permissions;  // "origin|what" -> allowed
    PageNoteBar *m_noteBar;
    BrowserTab *m_noteBarTab = nullptr;  // the tab whose note the bar shows
};

}  // namespace pelquin
