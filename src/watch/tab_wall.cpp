#include "watch/tab_wall.h"

#include "platform/clock.h"
#include "platform/freed_memory.h"
#include "platform/startup_trace.h"
#include "tabs/tab_collection.h"
#include "tabs/tab_strip.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPointer>

namespace pelquin {

namespace {

// Whether a picture holds nothing but one colour: every pixel, for a page of one colour
// with a few words on it is a picture still.
bool isOneColour(const QImage &picture)
{
    const QImage pixels = picture.convertToFormat(QImage::Format_RGB32);
    const QRgb first = pixels.pixel(0, 0);
    for (int y = 0; y < pixels.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(pixels.constScanLine(y));
        for (int x = 0; x < pixels.width(); ++x) {
            if (line[x] != first)
                return false;
        }
    }
    return true;
}

}  // namespace

TabWall::TabWall(TabCollection &tabs, TabStrip &strip, const Clock &clock, QWidget *window)
    : QWidget(window), m_tabs(tabs), m_strip(strip), m_clock(clock)
{
    setObjectName(QStringLiteral("tabWall"));
    setAccessibleName(QStringLiteral("Wall of tabs"));
    setAutoFillBackground(true);
    QPalette dark = palette();
    dark.setColor(QPalette::Window, QColor(0x18, 0x18, 0x18));
    setPalette(dark);
    for (BrowserTab &tab : m_tabs) {
        auto *tile = new WallTile(tab, this);
        connect(tile, &QAbstractButton::clicked, this, [this, &tab] { choose(tab); });
        m_tiles.push_back(tile);
    }
    m_tickTimer.setInterval(kDescribeMs);
    connect(&m_tickTimer, &QTimer::timeout, this, &TabWall::onTick);
    hide();
}

WallTile *TabWall::tile(const BrowserTab &tab) const
{
    for (WallTile *each : m_tiles)
        if (&each->tab() == &tab)
            return each;
    return nullptr;
}

int TabWall::tileCount() const { return qMin(m_strip.count(), int(m_tiles.size())); }

std::vector<WallTile *> TabWall::shownTiles() const
{
    return {m_tiles.begin(), m_tiles.begin() + tileCount()};
}

BrowserTab *TabWall::tabAtFocus() const
{
    if (const WallTile *focused = focusedTile())
        return &focused->tab();
    const int selected = m_strip.selected();
    return m_tabs.contains(selected) ? &m_tabs.tab(selected) : nullptr;
}

void TabWall::open()
{
    if (m_open)
        return;
    traceStartup("wall of tabs asked for");
    m_open = true;
    place();
    describeTiles();
    const int front = m_strip.selected();
    for (WallTile *each : m_tiles)
        each->setCurrent(each->tab().number() == front);
    show();
    raise();
    // Nothing draws behind the wall. The selected page's last frame is its picture. (Taking
    // it while the page is still on the screen costs the engine 280 MB, measured under X.)
    if (m_tabs.contains(front)) {
        m_tabs.tab(front).page()->hide();
        tabShown(m_tabs.tab(front));
    }
    for (WallTile *each : m_tiles)
        each->renewed = QDateTime();
    QTimer::singleShot(0, this, [this] {
        for (WallTile *each : shownTiles())
            if (m_open)
                renewTile(*each);
    });
    qApp->installEventFilter(this);
    WallTile *focus = m_tabs.contains(front) ? tile(m_tabs.tab(front)) : nullptr;
    if (!focus && !m_tiles.empty())
        focus = m_tiles.front();
    if (focus)
        focus->setFocus(Qt::OtherFocusReason);
    m_tickTimer.start();
    emit openChanged(true);
}

void TabWall::hideWall()
{
    m_open = false;
    m_tickTimer.stop();
    qApp->removeEventFilter(this);
    hide();
    // Taking pictures of pages leaves megabytes freed but kept by the C library; they are
    // given back once the page shown again has drawn.
    QTimer::singleShot(kGiveBackMs, this, [this] {
        if (!m_open)
            returnFreedMemory();
    });
    emit openChanged(false);
}

void TabWall::close()
{
    if (!m_open)
        return;
    hideWall();
    m_strip.select(m_strip.selected());  // its page shows again, and the keys go there
}

void TabWall::dismiss()
{
    if (m_open)
        hideWall();
}

void TabWall::choose(BrowserTab &tab)
{
    if (!m_open || !m_tabs.contains(tab.number()))
        return;
    hideWall();
    m_strip.select(tab.number());
}

void TabWall::paintEvent(QPaintEvent *event)
{
    QWidget::paintEvent(event);
    traceStartup("wall of tabs drawn");
}

void TabWall::place()
{
    const QRect area = m_area ? m_area() : parentWidget()->rect();
    if (geometry() != area)
        setGeometry(area);
}

void TabWall::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    const int width = this->width() / kColumns;
    const int height = this->height() / kRows;
    for (int i = 0; i < int(m_tiles.size()); ++i) {
        m_tiles[size_t(i)]->setGeometry((i % kColumns) * width, (i / kColumns) * height, width,
                                        height);
        m_tiles[size_t(i)]->setVisible(i < tileCount());
    }
}

TileState TabWall::stateOf(const BrowserTab &tab)
{
    if (!tab.hasPage())
        return TileState::Empty;
    if (tab.state().crashed)
        return TileState::Crashed;
    if (tab.paused())
        return TileState::Paused;
    if (tab.alerted())
        return TileState::Alert;
    switch (tab.health()) {
    case TabHealth::Failing:
        return TileState::Failing;
    case TabHealth::SignedOut:
        return TileState::SignedOut;
    case TabHealth::Stale:
        return TileState::Stale;
    case TabHealth::Fine:
        break;
    }
    if (tab.changed())
        return TileState::Changed;
    if (tab.state().loading || tab.browser().busy())
        return TileState::Loading;
    return TileState::Shown;
}

void TabWall::describeTiles()
{
    const int shown = tileCount();
    for (int i = 0; i < int(m_tiles.size()); ++i) {
        WallTile &each = *m_tiles[size_t(i)];
        each.setVisible(i < shown);
        if (i < shown)
            each.describe(each.tab().look().caption, stateOf(each.tab()),
                          each.tab().pausedLine());
    }
}

void TabWall::pageCompleted(BrowserTab &tab)
{
    WallTile *completed = tile(tab);
    if (!completed)
        return;
    if (tab.number() != m_tabs.front() || m_open)
        completed->completedSinceShown = true;
    if (m_open && completed->isVisible())
        renewTile(*completed);
}

void TabWall::tabShown(BrowserTab &tab)
{
    if (WallTile *shown = tile(tab)) {
        shown->completedSinceShown = false;
        shown->setPicture(QImage());
    }  // the user has seen it since: a new picture is due
}

void TabWall::renewTile(WallTile &tile)
{
    const BrowserTab &shown = tile.tab();
    tile.renewed = m_clock.now();
    if (shown.shownOnce && !tile.completedSinceShown) {
        // The page is as it was drawn last: a picture taken since is still right. A view
        // hidden a while may give only its background: then its words are worth more.
        if (!tile.picture().isNull() || takePicture(tile, shown))
            return;
    }
    tile.setPicture(QImage());
    if (shown.hasPage())
        readPageText(tile, shown);
    else
        tile.setPageText(QString());
}

void TabWall::readPageText(WallTile &tile, const BrowserTab &tab)
{
    const QPointer<WallTile> shown = &tile;
    tab.browser().readVisibleText([shown](const QString &text) {
        if (shown)
            shown->setPageText(text);
    });
}

bool TabWall::takePicture(WallTile &tile, const BrowserTab &tab)
{
    const QImage picture = tab.page()->grab().toImage();
    if (picture.isNull() || isOneColour(picture))
        return false;
    // Kept at the tile's size: 30 full pictures would cost more than the wall may.
    const int width = qMax(64, int(tile.width() * tile.devicePixelRatioF()));
    tile.setPicture(picture.width() > width
                        ? picture.scaledToWidth(width, Qt::SmoothTransformation)
                        : picture);
    return true;
}

QImage TabWall::latestPicture(const BrowserTab &tab) const
{
    // A page never drawn is not drawn just for a picture: it would cost its engine for good.
    if (!tab.shownOnce)
        return {};
    const QImage drawn = tab.page()->grab().toImage();
    if (!drawn.isNull() && !isOneColour(drawn))
        return drawn;
    const WallTile *kept = tile(tab);
    return kept ? kept->picture() : QImage();
}

void TabWall::onTick()
{
    if (!m_open)
        return;
    place();
    describeTiles();
    const QDateTime now = m_clock.now();
    for (WallTile *each : shownTiles())
        if (!each->renewed.isValid() || each->renewed.secsTo(now) >= kRenewSeconds)
            renewTile(*each);
}

WallTile *TabWall::focusedTile() const
{
    // The window's focus, also while the window is not the active one.
    return qobject_cast<WallTile *>(window()->focusWidget());
}

void TabWall::moveFocus(int key)
{
    const int count = tileCount();
    if (count < 1)
        return;
    const WallTile *focused = focusedTile();
    const auto at = std::find(m_tiles.begin(), m_tiles.end(), focused);
    int index = at != m_tiles.end() ? int(at - m_tiles.begin()) : m_strip.selected() - 1;
    switch (key) {
    case Qt::Key_Left: --index; break;
    case Qt::Key_Right: ++index; break;
    case Qt::Key_Up: index -= kColumns; break;
    case Qt::Key_Down: index += kColumns; break;
    case Qt::Key_Home: index = 0; break;
    case Qt::Key_End: index = count - 1; break;
    default: break;
    }
    m_tiles[size_t(qBound(0, index, count - 1))]->setFocus(Qt::TabFocusReason);
}

bool TabWall::eventFilter(QObject *watched, QEvent *event)
{
    if (!m_open || event->type() != QEvent::KeyPress)
        return false;
    // Keys of a dialog over the window are the dialog's.
    auto *target = qobject_cast<QWidget *>(watched);
    if (!target || target->window() != window())
        return false;
    auto *key = static_cast<QKeyEvent *>(event);
    if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    switch (key->key()) {
    case Qt::Key_Escape:
        close();
        return true;
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Home:
    case Qt::Key_End:
        moveFocus(key->key());
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        if (BrowserTab *chosen = tabAtFocus())
            choose(*chosen);
        return true;
    default:
        return false;
    }
}

}  // namespace pelquin
