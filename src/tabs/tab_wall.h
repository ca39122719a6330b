#pragma once

#include "tabs/wall_tile.h"

#include <QDateTime>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <map>
#include <set>
#include <vector>

namespace pelquin {

class ChangeMarks;
class Clock;
class TabCollection;
class TabStrip;

// The wall of tabs: every tab at once, as a grid of tiles over the page area. Choosing a
// tile (click, or the arrow keys and Enter) selects its tab and closes the wall; Escape
// closes it. The pictures are renewed one tab at a time: a hidden page is shown behind the
// wall for a moment, its picture taken, and hidden again, so no hidden page draws for long.
// Only pages already shown this run are drawn so; a tab never shown shows its page's words.
class TabWall : public QWidget {
    Q_OBJECT
public:
    static constexpr int kColumns = 6;
    static constexpr int kRows = 5;
    // A picture older than this is taken again while the wall is shown.
    static constexpr int kRenewSeconds = 10;
    // How long a hidden page is shown behind the wall before its picture is taken.
    static constexpr int kDrawMs = 300;

    TabWall(TabCollection &tabs, TabStrip &strip, const ChangeMarks &marks, const Clock &clock,
            QWidget *window);

    // Where the pages lie, asked whenever the wall is placed.
    void setArea(std::function<QRect()> area) { m_area = std::move(area); }
    void open();
    // Closes and shows the selected tab's page again.
    void close();
    // Something else selected a tab: the wall steps aside without selecting anything.
    void dismiss();
    bool isOpen() const { return m_open; }
    void toggle() { m_open ? close() : open(); }
    void choose(int tab);

    WallTile *tile(int tab) const;
    // Tiles are placed for this area and their texts follow their tabs.
    void place();
    void describeTiles();
    // One step of the renewal: the picture of the page shown last step is taken, and the
    // next page whose picture is old is shown.
    void onDrawTick();
    int drawing() const { return m_drawing; }
    // The page of `tab` completed: its picture is taken again soon.
    void pageCompleted(int tab);

signals:
    void openChanged(bool open);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    TileState stateOf(int tab) const;
    int tileCount() const;
    void takePicture(int tab);
    void readPageText(int tab);
    int nextToDraw() const;
    void stopDrawing();
    WallTile *focusedTile() const;
    void moveFocus(int key);
    void hideWall();

    TabCollection &m_tabs;
    TabStrip &m_strip;
    const ChangeMarks &m_marks;
    const Clock &m_clock;
    std::function<QRect()> m_area;
    std::vector<WallTile *> m_tiles;  // tab t at t - 1
    std::map<int, QDateTime> m_taken;  // when each tab's picture was taken
    std::set<int> m_stale;             // tabs whose page completed since their picture
    QTimer m_drawTimer;
    int m_drawing = 0;
    int m_lastDrawn = 0;
    bool m_open = false;
};

}  // namespace pelquin
