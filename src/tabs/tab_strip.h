#pragma once

#include <QDateTime>
#include <QFrame>
#include <QIcon>
#include <QMap>
#include <QString>
#include <QTimer>

#include <optional>

class QTabBar;

namespace pelquin {

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

    QString caption(int tab) const;
    void setCaption(int tab, const QString &caption);
    QString toolTip(int tab) const;
    void setToolTip(int tab, const QString &tip);
    int image(int tab) const;
    // 0: no picture; 1: the world picture of a completely loaded page.
    void setImage(int tab, int image);

    // Marks a tab whose page waits for an answer: "!" before its caption, in red.
    void setWaitingMark(int tab, bool waiting);
    bool waitingMark(int tab) const;

    // Marks a tab whose page changed since the user last looked, at `since` (the first change),
    // with a picture of its own and a second tooltip line; an invalid time clears the mark.
    void setChangedMark(int tab, const QDateTime &since);
    bool changedMark(int tab) const;

    // Removes every tab, last to first; then adds tabs with no caption, tooltip or image.
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
    // Shows the captions and pictures set since the last time at once.
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
    int tabAtX(int x) const;
    void showCaption(int index, const QString &caption);
    void showIcon(int index);
    void showToolTip(int index, const QString &tip);
    void startTabDrag();

    // How long caption and picture changes may wait to be shown together: when 30 tabs start
    // loading, one repaint of the header row instead of one per change.
    static constexpr int kLookDelayMs = 40;
    // The widest caption a header shows, in pixels; longer ones end in "...".
    static constexpr int kWidestCaption = 240;
    struct PendingLook {
        std::optional<QString> caption;
        std::optional<bool> world;
    };

    QTabBar *m_bar;
    QMap<int, PendingLook> m_pending;  // by tab index
    QTimer m_applyLooks;
    QIcon m_world;
    QIcon m_changed;
    QMap<int, QDateTime> m_changedSince;  // by tab index
    int m_draggedTab = 0;
    bool m_dragsTabs = false;
};

}  // namespace pelquin
