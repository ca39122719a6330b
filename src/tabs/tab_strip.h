#pragma once

#include "tabs/browser_tab.h"

#include <QDateTime>
#include <QFrame>
#include <QIcon>
#include <QString>
#include <QTimer>

#include <set>

class QTabBar;

namespace pelquin {

class TabCollection;

// The strip of tab headers across the top and the frame around the pages.
// Tabs are numbered from 1. The page script may remove and re-add tabs, so the count can
// differ from 30.
class TabStrip : public QFrame {
    Q_OBJECT
public:
    static constexpr const char *kTabMime = "application/x-pelquin-tab";

    explicit TabStrip(QWidget *parent = nullptr);

    int count() const;
    int selected() const;  // 0 when there is no tab
    // Selects tab t and runs the selection handling, also when t is already selected.
    void select(int tab);

    // Draws each tab's look (caption, tooltip, picture, marks) in its header.
    void showTabs(TabCollection &tabs);
    // What the header of tab t shows; nothing for a tab without a header.
    QString caption(int tab) const;
    QString toolTip(int tab) const;
    TabPicture picture(int tab) const;
    bool changedMark(int tab) const;
    // The alert picture before its caption: a condition of its watch rule turned true.
    bool alertMark(int tab) const;
    // The picture the tab shows for its health, or Fine when it shows none.
    TabHealth healthMark(int tab) const;
    // "!" before its caption, in red: the page waits for an answer.
    bool waitingMark(int tab) const;

    // Removes every header, last to first; then adds headers, drawn blank until their tabs
    // look otherwise.
    void removeAll();
    void addTabs(int count);

    // The tab whose header a drag carries (to the Setup dialog): the last one selected.
    int draggedTab() const { return m_draggedTab; }
    void setDraggedTab(int tab) { m_draggedTab = tab; }
    // While on, pressing the mouse on a tab drags it (to the Setup dialog).
    bool dragsTabs() const { return m_dragsTabs; }
    void setDragsTabs(bool on) { m_dragsTabs = on; }

    // The header row's height in pixels.
    int headerHeight() const;
    QTabBar *bar() const { return m_bar; }
    // Draws the captions and pictures changed since the last time at once.
    void applyPendingLooks();

signals:
    // The selected tab changed or was clicked.
    void selectionHandling();
    void rightButtonPressed(const QPoint &globalPos);
    // Text dropped on the header of tab t (no tab matched: t is 0), with the modifier keys
    // held at the drop.
    void linkDropped(int tab, const QString &text, bool hasText, Qt::KeyboardModifiers keys);

protected:
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // The picture before a caption: none (or the globe), changed, or an alert.
    static constexpr int kNoMark = 0;
    static constexpr int kChangedMark = 1;
    static constexpr int kAlertMark = 2;
    static constexpr int kFailingMark = 3;
    static constexpr int kSignedOutMark = 4;
    static constexpr int kStaleMark = 5;
    static int markOf(const BrowserTab &tab);

    int tabAtX(int x) const;
    // The tab behind a header; none when the strip has more headers than there are tabs.
    const BrowserTab *tabAt(int index) const;
    void lookChanged(const BrowserTab &tab);
    void showCaption(int index, const QString &caption);
    void showIcon(int index);
    void showToolTip(int index);
    void showWaitingMark(int index);
    void startTabDrag();

    // How long caption and picture changes may wait to be shown together: when 30 tabs start
    // loading, one repaint of the header row instead of one per change.
    static constexpr int kLookDelayMs = 40;
    // The widest caption a header shows, in pixels; longer ones end in "...".
    static constexpr int kWidestCaption = 240;
    QTabBar *m_bar;
    TabCollection *m_tabs = nullptr;
    std::set<const BrowserTab *> m_pending;  // their captions and pictures are not drawn yet
    QTimer m_applyLooks;
    QIcon m_world;
    QIcon m_changed;
    QIcon m_alert;
    int m_draggedTab = 0;
    bool m_dragsTabs = false;
};

}  // namespace pelquin
