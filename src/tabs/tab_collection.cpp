#include "tabs/tab_collection.h"

#include "core/address_history.h"
#include "platform/basic_error.h"

#include <QComboBox>
#include <QLineEdit>
#include <QWidget>

#include <vector>

namespace pelquin {

namespace {

QComboBox *makeAddressBox(AddressHistory &history, QWidget *parent)
{
    auto *box = new QComboBox(parent);
    // Its own line edit, after the shared list: half the cost of setEditable, which also
    // builds the popup and sizes the box for a layout that places it anyway.
    box->setModel(history.model());
    box->setLineEdit(new QLineEdit(box));
    box->setInsertPolicy(QComboBox::NoInsert);
    box->setMaxVisibleItems(20);
    // Completion is the program's own, from the first item of the shared list.
    box->setCompleter(nullptr);
    box->setPlaceholderText(QStringLiteral("Type an address and press Enter"));
    box->setCurrentIndex(-1);
    box->setVisible(false);
    return box;
}

}  // namespace

TabCollection::TabCollection(BrowserFactory &factory, AddressHistory &history,
                             TabContext context, QWidget *window)
{
    QWidget *parent = window;
    // All browsers first, then the address boxes, which lie above them.
    std::vector<BrowserControl *> browsers;
    for (int number = 1; number <= kTabCount; ++number) {
        BrowserControl *browser = factory.create(number, parent);
        browser->widget()->setVisible(false);
        browsers.push_back(browser);
    }
    for (int number = 1; number <= kTabCount; ++number) {
        BrowserControl *browser = browsers[size_t(number - 1)];
        m_tabs.emplace_back(number, *browser, *makeAddressBox(history, parent), context);
        // Only the page in front may show full screen.
        connect(browser, &BrowserControl::fullScreenChange, this,
                [this, browser, number](bool on) {
                    if (on && number != m_front)
                        browser->exitFullScreen();
                });
    }
    // Connected after the boxes, so these run once the boxes have had their say.
    QAbstractItemModel *model = history.model();
    connect(model, &QAbstractItemModel::modelAboutToBeReset, this,
            &TabCollection::holdAddresses);
    connect(model, &QAbstractItemModel::rowsAboutToBeInserted, this,
            &TabCollection::holdAddresses);
    connect(model, &QAbstractItemModel::rowsAboutToBeRemoved, this,
            &TabCollection::holdAddresses);
    connect(model, &QAbstractItemModel::modelReset, this, &TabCollection::restoreAddresses);
    connect(model, &QAbstractItemModel::rowsInserted, this, &TabCollection::restoreAddresses);
    connect(model, &QAbstractItemModel::rowsRemoved, this, &TabCollection::restoreAddresses);
}

BrowserTab &TabCollection::tab(int number) const
{
    if (!contains(number))
        throwError(err::SubscriptOutOfRange);
    return m_tabs[size_t(number - 1)];
}

void TabCollection::bringToFront(int number)
{
    QWidget *shown = tab(number).page();
    tab(number).shownOnce = true;
    shown->setVisible(true);
    shown->raise();
    for (BrowserTab &other : m_tabs) {
        if (other.number() == number)
            continue;
        other.page()->setVisible(false);
        // A tab going to the back leaves its page's full screen.
        if (other.browser().fullScreen())
            other.browser().exitFullScreen();
    }
    m_front = number;
}

BrowserTab *TabCollection::nextAfter(int from, int shown,
                                     const std::function<bool(const BrowserTab &)> &wanted) const
{
    const int count = qMin(shown, this->count());
    const int start = from >= 1 && from <= count ? from : count;
    for (int step = 1; step <= count; ++step) {
        BrowserTab &candidate = tab((start - 1 + step) % count + 1);
        if (wanted(candidate))
            return &candidate;
    }
    return nullptr;
}

bool TabCollection::allStartedTabsLoaded() const
{
    for (const BrowserTab &t : m_tabs) {
        if (t.state().started && t.state().loading)
            return false;
    }
    return true;
}

bool TabCollection::startupPending() const
{
    for (const BrowserTab &t : m_tabs) {
        if (!t.state().started || t.state().loading)
            return true;
    }
    return false;
}

void TabCollection::holdAddresses()
{
    for (BrowserTab &t : m_tabs) {
        t.heldAddress = t.address();
        t.addressBox().blockSignals(true);  // the list's change is not typing
    }
}

void TabCollection::restoreAddresses()
{
    for (BrowserTab &t : m_tabs) {
        QComboBox &box = t.addressBox();
        const QString &held = t.heldAddress;
        if (box.currentIndex() != -1)
            box.setCurrentIndex(-1);
        if (box.currentText() != held)
            box.setEditText(held);
        box.blockSignals(false);
    }
}

}  // namespace pelquin
