#include "tabs/tab_strip.h"

#include "core/dropped_link.h"
#include "tabs/artwork.h"
#include "tabs/tab_collection.h"

#include <QDrag>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLabel>
#include <QMimeData>
#include <QMouseEvent>
#include <QTabBar>

#include <utility>

namespace pelquin {

TabStrip::TabStrip(QWidget *parent)
    : QFrame(parent), m_bar(new QTabBar(this)), m_world(worldIcon()), m_changed(changedIcon()),
      m_alert(alertIcon())
{
    setObjectName(QStringLiteral("tabStrip"));
    setFrameShape(QFrame::StyledPanel);
    m_bar->setObjectName(QStringLiteral("tabHeaders"));
    m_bar->setExpanding(false);
    m_bar->setUsesScrollButtons(true);
    m_bar->setElideMode(Qt::ElideNone);
    m_bar->setDrawBase(false);
    m_bar->setAcceptDrops(true);
    m_bar->installEventFilter(this);
    m_applyLooks.setSingleShot(true);
    m_applyLooks.setInterval(kLookDelayMs);
    connect(&m_applyLooks, &QTimer::timeout, this, &TabStrip::applyPendingLooks);
    addTabs(30);
    connect(m_bar, &QTabBar::currentChanged, this, [this](int) { emit selectionHandling(); });
    connect(m_bar, &QTabBar::tabBarClicked, this, [this](int index) {
        if (index >= 0 && index == m_bar->currentIndex())
            emit selectionHandling();
    });
}

int TabStrip::count() const { return m_bar->count(); }

int TabStrip::selected() const { return m_bar->currentIndex() + 1; }

void TabStrip::select(int tab)
{
    if (tab == selected())
        emit selectionHandling();
    else
        m_bar->setCurrentIndex(tab - 1);
}

void TabStrip::showTabs(TabCollection &tabs)
{
    m_tabs = &tabs;
    for (const BrowserTab &tab : tabs)
        connect(&tab, &BrowserTab::lookChanged, this, [this, &tab] { lookChanged(tab); });
}

const BrowserTab *TabStrip::tabAt(int index) const
{
    if (!m_tabs || index < 0 || index >= count() || !m_tabs->contains(index + 1))
        return nullptr;
    return &m_tabs->tab(index + 1);
}

QString TabStrip::caption(int tab) const
{
    const BrowserTab *shown = tabAt(tab - 1);
    return shown ? shown->look().caption : QString();
}

QString TabStrip::toolTip(int tab) const
{
    const BrowserTab *shown = tabAt(tab - 1);
    return shown ? shown->look().toolTip : QString();
}

TabPicture TabStrip::picture(int tab) const
{
    const BrowserTab *shown = tabAt(tab - 1);
    return shown ? shown->look().picture : TabPicture::None;
}

bool TabStrip::changedMark(int tab) const
{
    const BrowserTab *shown = tabAt(tab - 1);
    return shown && shown->changed();
}

bool TabStrip::alertMark(int tab) const
{
    const BrowserTab *shown = tabAt(tab - 1);
    return shown && shown->alerted() && m_bar->tabData(tab - 1).toInt() == kAlertMark;
}

TabHealth TabStrip::healthMark(int tab) const
{
    if (tab < 1 || tab > count())
        return TabHealth::Fine;
    switch (m_bar->tabData(tab - 1).toInt()) {
    case kFailingMark:
        return TabHealth::Failing;
    case kSignedOutMark:
        return TabHealth::SignedOut;
    case kStaleMark:
        return TabHealth::Stale;
    default:
        return TabHealth::Fine;
    }
}

bool TabStrip::waitingMark(int tab) const
{
    return tab >= 1 && tab <= count() && m_bar->tabButton(tab - 1, QTabBar::LeftSide);
}

int TabStrip::markOf(const BrowserTab &tab)
{
    if (tab.alerted())
        return kAlertMark;
    switch (tab.health()) {
    case TabHealth::Failing:
        return kFailingMark;
    case TabHealth::SignedOut:
        return kSignedOutMark;
    case TabHealth::Stale:
        return kStaleMark;
    case TabHealth::Fine:
        break;
    }
    return tab.changed() ? kChangedMark : kNoMark;
}

void TabStrip::lookChanged(const BrowserTab &tab)
{
    const int index = tab.number() - 1;
    if (index >= count())
        return;
    // The tooltip and the waiting mark at once; caption and picture together, a moment later.
    showToolTip(index);
    showWaitingMark(index);
    // A changed mark shows at once, as the marks do; loading pictures wait for each other.
    if (markOf(tab) != m_bar->tabData(index).toInt())
        showIcon(index);
    m_pending.insert(&tab);
    if (!m_applyLooks.isActive())
        m_applyLooks.start();
}

void TabStrip::applyPendingLooks()
{
    m_applyLooks.stop();
    const std::set<const BrowserTab *> pending = std::exchange(m_pending, {});
    for (const BrowserTab *tab : pending) {
        const int index = tab->number() - 1;
        if (tabAt(index) != tab)
            continue;
        showCaption(index, tab->look().caption);
        showIcon(index);
    }
}

void TabStrip::showCaption(int index, const QString &caption)
{
    // A page may name itself at any length: the header shows what fits a sane width, the
    // whole caption stays the tab's name for screen readers and the rest of the program.
    m_bar->setAccessibleTabName(index, caption);
    const QString shown = m_bar->fontMetrics().elidedText(caption, Qt::ElideRight,
                                                           kWidestCaption);
    // '&' would otherwise underline the next letter and vanish from the caption
    m_bar->setTabText(index, QString(shown).replace(QLatin1Char('&'), QStringLiteral("&&")));
}

void TabStrip::showIcon(int index)
{
    const BrowserTab *tab = tabAt(index);
    if (!tab)
        return;
    const int mark = markOf(*tab);
    m_bar->setTabData(index, mark);
    static const QIcon failing = failingIcon();
    static const QIcon signedOut = signedOutIcon();
    static const QIcon stale = staleIcon();
    switch (mark) {
    case kAlertMark:
        return m_bar->setTabIcon(index, m_alert);
    case kFailingMark:
        return m_bar->setTabIcon(index, failing);
    case kSignedOutMark:
        return m_bar->setTabIcon(index, signedOut);
    case kStaleMark:
        return m_bar->setTabIcon(index, stale);
    case kChangedMark:
        return m_bar->setTabIcon(index, m_changed);
    default:
        m_bar->setTabIcon(index, tab->look().picture == TabPicture::World ? m_world : QIcon());
    }
}

void TabStrip::showToolTip(int index)
{
    const BrowserTab *tab = tabAt(index);
    if (!tab)
        return;
    const TabLook &look = tab->look();
    QString tip = look.toolTip;
    if (tab->changed())
        tip += QStringLiteral("\nChanged since you last looked (%1)")
                   .arg(look.changedSince.toString(u"HH:mm"));
    for (const QString &alert : look.alerts)
        tip += u'\n' + alert;
    if (tab->paused())
        tip += u'\n' + tab->pausedLine();
    for (const QString &line : tab->healthLines())
        tip += u'\n' + line;
    m_bar->setTabToolTip(index, tip);
}

void TabStrip::showWaitingMark(int index)
{
    const BrowserTab *tab = tabAt(index);
    const bool waiting = tab && tab->look().waiting;
    if (waiting == waitingMark(index + 1))
        return;
    // A button beside the caption, so the caption itself stays the tab's own.
    QLabel *mark = nullptr;
    if (waiting) {
        mark = new QLabel(QStringLiteral("!"), m_bar);
        mark->setObjectName(QStringLiteral("waitingMark"));
        mark->setStyleSheet(QStringLiteral("color: red; font-weight: bold"));
        mark->setToolTip(QStringLiteral("The page waits for your answer"));
    }
    QWidget *old = m_bar->tabButton(index, QTabBar::LeftSide);
    m_bar->setTabButton(index, QTabBar::LeftSide, mark);
    delete old;  // the bar only hides a button it no longer shows
    m_bar->setTabTextColor(index, waiting ? QColor(Qt::red) : QColor());
}

void TabStrip::removeAll()
{
    m_pending.clear();  // the looks of headers that are gone
    const QSignalBlocker block(m_bar);
    while (m_bar->count() > 0)
        m_bar->removeTab(m_bar->count() - 1);
}

void TabStrip::addTabs(int count)
{
    const QSignalBlocker block(m_bar);
    for (int k = 0; k < count; ++k) {
        m_bar->addTab(QString());
    }
}

int TabStrip::headerHeight() const { return m_bar->sizeHint().height(); }

void TabStrip::resizeEvent(QResizeEvent *event)
{
    QFrame::resizeEvent(event);
    m_bar->setGeometry(0, 0, width(), headerHeight());
}

int TabStrip::tabAtX(int x) const
{
    for (int t = 1; t <= m_bar->count(); ++t) {
        const QRect r = m_bar->tabRect(t - 1);
        if (r.left() <= x && x <= r.right())
            return t;
    }
    return 0;
}

void TabStrip::startTabDrag()
{
    auto *drag = new QDrag(this);
    auto *data = new QMimeData;
    data->setData(QLatin1String(kTabMime), QByteArray::number(m_draggedTab));
    drag->setMimeData(data);
    drag->setPixmap(tabDragPixmap());
    drag->exec(Qt::CopyAction);
    // A drop anywhere ends the tab drag.
    m_dragsTabs = false;
}

bool TabStrip::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_bar)
        return QFrame::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() == Qt::RightButton) {
            emit rightButtonPressed(mouse->globalPosition().toPoint());
            return true;
        }
        if (mouse->button() == Qt::LeftButton && m_dragsTabs) {
            // The drag carries the tab last clicked, whose number the tag holds.
            if (m_bar->tabAt(mouse->position().toPoint()) >= 0) {
                startTabDrag();
                return true;
            }
        }
        break;
    }
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto *drag = static_cast<QDropEvent *>(event);
        if (drag->mimeData()->hasFormat(QLatin1String(kTabMime)) ||
            drag->mimeData()->hasText() || drag->mimeData()->hasUrls()) {
            drag->acceptProposedAction();
            return true;
        }
        break;
    }
    case QEvent::Drop: {
        auto *drop = static_cast<QDropEvent *>(event);
        const QMimeData *data = drop->mimeData();
        if (data->hasFormat(QLatin1String(kTabMime))) {
            m_dragsTabs = false;
        } else {
            applyPendingLooks();  // the drop falls on the tabs as they will be drawn
            emit linkDropped(tabAtX(drop->position().toPoint().x()), droppedAddress(*data),
                             carriesAddress(*data), drop->modifiers());
        }
        drop->acceptProposedAction();
        return true;
    }
    default:
        break;
    }
    return QFrame::eventFilter(watched, event);
}

}  // namespace pelquin
