#pragma once

#include "core/browser_control.h"

#include <QObject>
#include <QPointer>
#include <QSet>

#include <deque>
#include <map>

class QWidget;

namespace pelquin {

class BrowserPool;
class PageDialogBox;
class TabStrip;

// Page dialogs belong to their tab: the selected tab's dialog shows at once and blocks only
// that tab's page; a background tab's dialog waits, its tab marked, until the tab is
// selected. Permission answers are kept per site for the run, and a page that keeps opening
// dialogs can be silenced until it is left.
class PageDialogQueue final : public QObject {
    Q_OBJECT
public:
    PageDialogQueue(TabStrip &strip, BrowserPool &browsers, QWidget *window);
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

private:
    struct Waiting {
        PageDialog dialog;
        PageDialogAnswer answer;
    };
    static bool isScriptDialog(const PageDialog &dialog);
    static QString permissionKey(const PageDialog &dialog);
    void showNext(int tab);
    void finished(int tab, PageDialogBox *box, const PageDialogAnswer &answer);
    void updateMark(int tab);

    TabStrip &m_strip;
    BrowserPool &m_browsers;
    QWidget *m_window;
    std::map<int, std::deque<Waiting>> m_waiting;
    std::map<int, QPointer<PageDialogBox>> m_open;
    std::map<int, int> m_scriptDialogs;  // per tab, since its page was entered
    QSet<int> m_silenced;
    std::map<QString, bool> m_permissions;  // "site|what" -> allowed
};

}  // namespace pelquin
