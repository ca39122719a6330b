#include "tabs/tab_strip.h"

#include "core/dropped_link.h"
#include "tabs/artwork.h"

#include <QDrag>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLabel>
#include <QMimeData>
#include <QMouseEvent>
#include <QTabBar>

#include <utility>

namespace pelquin {

namespace {
constexpr int kImageRole = Qt::UserRole + 1;
}

TabStrip::TabStrip(QWidget *parent)
    : QFrame(parent), m_bar(new QTabBar(this)), m_world(worldIcon()), m_changed(changedIcon())
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

QString TabStrip::caption(int tab) const
{
    if (const auto pending = m_pending.find(tab - 1);
        pending != m_pending.end() && pending->caption)
        return *pending->caption;
    return m_bar->accessibleTabName(tab - 1);
}

void TabStrip::setCaption(int tab, const QString &caption)
{
    if (tab < 1 || tab > count())
        return;
    m_pending[tab - 1].caption = caption;
    if (!m_applyLooks.isActive())
        m_applyLooks.start();
}

void TabStrip::applyPendingLooks()
{
    m_applyLooks.stop();
    const QMap<int, PendingLook> pending = std::exchange(m_pending, {});
    for (auto look = pending.begin(); look != pending.end(); ++look) {
        if (look.key() >= m_bar->count())
            continue;
        if (look->caption)
            showCaption(look.key(), *look->caption);
        if (look->world)
            showIcon(look.key());
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

namespace {
const QString kChangedLine = QStringLiteral("\nChanged since you last looked (%1)");
}

void TabStrip::showIcon(int index)
{
    if (m_changedSince.contains(index))
        m_bar->setTabIcon(index, m_changed);
    else
        m_bar->setTabIcon(index, m_bar->tabData(index).toInt() == 1 ? m_world : QIcon());
}

void TabStrip::showToolTip(int index, const QString &tip)
{
    const auto since = m_changedSince.constFind(index);
    m_bar->setTabToolTip(index, since == m_changedSince.cend()
                                    ? tip
                                    : tip + kChangedLine.arg(since->toString(u"HH:mm")));
}

QString TabStrip::toolTip(int tab) const
{
    const QString shown = m_bar->tabToolTip(tab - 1);
    if (!m_changedSince.contains(tab - 1))
        return shown;
    return shown.left(shown.lastIndexOf(QLatin1Char('\n')));
}

void TabStrip::setToolTip(int tab, const QString &tip) { showToolTip(tab - 1, tip); }

void TabStrip::setChangedMark(int tab, const QDateTime &since)
{
    if (tab < 1 || tab > count() || since.isValid() == changedMark(tab))
        return;
    const QString tip = toolTip(tab);
    if (since.isValid())
        m_changedSince.insert(tab - 1, since);
    else
        m_changedSince.remove(tab - 1);
    showToolTip(tab - 1, tip);
    showIcon(tab - 1);
}

bool TabStrip::changedMark(int tab) const { return m_changedSince.contains(tab - 1); }

int TabStrip::image(int tab) const { return m_bar->tabData(tab - 1).toInt(); }

void TabStrip::setImage(int tab, int image)
{
    if (tab < 1 || tab > count())
        return;
    m_bar->setTabData(tab - 1, image);
    m_pending[tab - 1].world = image == 1;
    if (!m_applyLooks.isActive())
        m_applyLooks.start();
}

void TabStrip::setWaitingMark(int tab, bool waiting)
{
    if (tab < 1 || tab > count() || waiting == waitingMark(tab))
        return;
    // A button beside the caption, so the caption itself stays the tab's own.
    QLabel *mark = nullptr;
    if (waiting) {
        mark = new QLabel(QStringLiteral("!"), m_bar);
        mark->setObjectName(QStringLiteral("waitingMark"));
        mark->setStyleSheet(QStringLiteral("color: red; font-weight: bold"));
        mark->setToolTip(QStringLiteral("The page waits for your answer"));
    }
    QWidget *old = m_bar->tabButton(tab - 1, QTabBar::LeftSide);
    m_bar->setTabButton(tab - 1, QTabBar::LeftSide, mark);
    delete old;  // the bar only hides a button it no longer shows
    m_bar->setTabTextColor(tab - 1, waiting ? QColor(Qt::red) : QColor());
}

bool TabStrip::waitingMark(int tab) const
{
    return tab >= 1 && tab <= count() && m_bar->tabButton(tab - 1, QTabBar::LeftSide);
}

void TabStrip::removeAll()
{
    m_pending.clear();  // the looks of tabs that are gone
    m_changedSince.clear();
    const QSignalBlocker block(m_bar);
    while (m_bar->count() > 0)
        m_bar->removeTab(m_bar->count() - 1);
}

void TabStrip::addTabs(int count)
{
    const QSignalBlocker block(m_bar);
    for (int k = 0; k < count; ++k) {
        const int index = m_bar->addTab(QString());
        m_bar->setTabData(index, 0);
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
