#pragma once

#include "watch/wall_tile.h"

#include <QDateTime>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <vector>

namespace pelquin {

class BrowserTab;
class Clock;
class TabCollection;
class TabStrip;

// The wall of tabs: every tab at once, as a grid of tiles over the page area. Choosing a
// tile (click, or the arrow keys and Enter) selects its tab and closes the wall; Escape
// closes it. No hidden page is drawn for the wall: drawing a page costs its engine memory
// for good (about 10 MB a tab, measured). A tile shows the last picture of its page when
// the page is still as the user saw it, and otherwise the page's words, read afresh.
class TabWall : public QWidget {
    Q_OBJECT
public:
    static constexpr int kColumns = 6;
    static constexpr int kRows = 5;
    // The tiles' words are read again at least this often while the wall is shown.
    static constexpr int kRenewSeconds = 10;
    // How often the tiles' states (loading, changed, ...) are brought up to date.
    static constexpr int kDescribeMs = 1000;
    // How long after closing the memory its pictures cost is given back.
    static constexpr int kGiveBackMs = 2000;

    TabWall(TabCollection &tabs, TabStrip &strip, const Clock &clock, QWidget *window);

    // Where the pages lie, asked whenever the wall is placed.
    void setArea(std::function<QRect()> area) { m_area = std::move(area); }
    void open();
    // Closes and shows the selected tab's page again.
    void close();
    // Something else selected a tab: the wall steps aside without selecting anything.
    void dismiss();
    bool isOpen() const { return m_open; }
    void toggle() { m_open ? close() : open(); }
    void choose(BrowserTab &tab);

    WallTile *tile(const BrowserTab &tab) const;
    // Tiles are placed for this area and their texts follow their tabs.
    void place();
    void describeTiles();
    // The wall's tick: states brought up to date, and words read again when they are old.
    void onTick();
    // The page of `tab` completed: its tile shows it afresh.
    void pageCompleted(BrowserTab &tab);
    // The user looks at `tab`: its page's last picture is what it shows.
    void tabShown(BrowserTab &tab);
    // The latest picture of the tab's page: as last drawn, at full size, or else its tile's;
    // none when its page has never been on the screen.
    QImage latestPicture(const BrowserTab &tab) const;

    // What a tab's tile says of it: the worst first.
    static TileState stateOf(const BrowserTab &tab);

signals:
    void openChanged(bool open);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    int tileCount() const;
    // The tiles shown, in the strip's order.
    std::vector<WallTile *> shownTiles() const;
    // The tab the keys act on: the focused tile's, or else the selected one.
    BrowserTab *tabAtFocus() const;
    // The picture when the page is as last drawn, the words otherwise.
    void renewTile(WallTile &tile);
    // Whether the tile got a picture of the page (a view hidden a while may give none).
    bool takePicture(WallTile &tile, const BrowserTab &tab);
    static void readPageText(WallTile &tile, const BrowserTab &tab);
    WallTile *focusedTile() const;
    void moveFocus(int key);
    void hideWall();

    TabCollection &m_tabs;
    TabStrip &m_strip;
    const Clock &m_clock;
    std::function<QRect()> m_area;
    std::vector<WallTile *> m_tiles;  // in the strip's order, one for each tab
    QTimer m_tickTimer;
    bool m_open = false;
};

}  // namespace pelquin
