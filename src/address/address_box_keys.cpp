#include "address/address_box_keys.h"

#include "tabs/tab_collection.h"
#include "address/completion.h"
#include "platform/error_report.h"
#include "platform/key_codes.h"
#include "core/dropped_link.h"
#include "core/session.h"
#include "tabs/tab_strip.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMimeData>

namespace pelquin {

AddressBoxKeys::AddressBoxKeys(Session &session, TabControls controls, ErrorReporter &errors,
                                   QObject *parent)
    : QObject(parent), m_session(session), m_c(controls), m_errors(errors)
{
    for (BrowserTab &each : m_c.tabs) {
        const int k = each.number();
        QComboBox *combo = &m_c.tabs.tab(k).addressBox();
        combo->installEventFilter(this);
        combo->lineEdit()->installEventFilter(this);
        combo->lineEdit()->setAcceptDrops(true);
        connect(combo, &QComboBox::editTextChanged, this, [this, combo] {
            Trap(m_errors, QStringLiteral(" At CBC")).step([&] {
                completeAddressBoxText(*combo, m_session.history);
            });
        });
        connect(combo, &QComboBox::activated, this, [this, k] { onAddressPicked(k); });
    }
}

int AddressBoxKeys::tabOf(QObject *watched) const
{
    for (BrowserTab &each : m_c.tabs) {
        const int k = each.number();
        QComboBox *combo = &m_c.tabs.tab(k).addressBox();
        if (watched == combo || watched == combo->lineEdit())
            return k;
    }
    return 0;
}

bool AddressBoxKeys::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::KeyPress && type != QEvent::DragEnter && type != QEvent::DragMove &&
        type != QEvent::Drop)
        return QObject::eventFilter(watched, event);
    const int k = tabOf(watched);
    if (k == 0)
        return QObject::eventFilter(watched, event);
    if (type == QEvent::KeyPress) {
        // The address box hands its keys to its line edit directly, past this filter, so each
        // key is seen here once, by whichever of the two received it.
        auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            onAddressEntered(k);
            return true;
        }
        return onAddressKeyDown(k, keyCode(*key), shiftState(*key));
    }
    auto *drop = static_cast<QDropEvent *>(event);
    const QMimeData *data = drop->mimeData();
    const bool tabDrag = data->hasFormat(QLatin1String(TabStrip::kTabMime));
    if (type != QEvent::Drop) {
        drop->acceptProposedAction();
        return true;
    }
    if (tabDrag)
        m_c.tabStrip.setDragsTabs(false);
    else
        onLinkDropped(k, droppedAddress(*data), carriesAddress(*data));
    drop->acceptProposedAction();
    return true;
}

bool AddressBoxKeys::onAddressKeyDown(int k, int keyCode, int shiftState)
{
    Q_UNUSED(k);
    bool swallowed = false;
    Trap(m_errors, QStringLiteral(" At CboKd")).step([&] {
        const int sel = m_c.tabStrip.selected();
        switch (keyCode) {
        case key::PageUp:
        case key::PageDown:
        case key::Up:
        case key::Down:
            swallowed = true;
            if (m_c.tabs.contains(sel))
                sendKeyToPage(m_c.tabs.tab(sel), keyCode);
            return;
        case key::Delete:
        case key::Backspace:
            m_session.history.skipComplete = true;
            return;
        default:
            break;
        }
        if (shiftState == shift::Shift) {
            if (keyCode == key::Left && sel >= 2)
                m_c.tabStrip.select(sel - 1);
            else if (keyCode == key::Right && sel <= m_c.tabs.count() - 1)
                m_c.tabStrip.select(sel + 1);
        }
    });
    return swallowed;
}

void AddressBoxKeys::sendKeyToPage(BrowserTab &tab, int keyCode)
{
    QWidget *browser = tab.page();
    browser->setFocus();
    QWidget *target = browser->focusProxy() ? browser->focusProxy() : browser;
    const Qt::Key qtKey = keyCode == key::PageUp     ? Qt::Key_PageUp
                          : keyCode == key::PageDown ? Qt::Key_PageDown
                          : keyCode == key::Up       ? Qt::Key_Up
                                                     : Qt::Key_Down;
    QCoreApplication::postEvent(target, new QKeyEvent(QEvent::KeyPress, qtKey, Qt::NoModifier));
    QCoreApplication::postEvent(target, new QKeyEvent(QEvent::KeyRelease, qtKey, Qt::NoModifier));
}

QString AddressBoxKeys::typedToOpen(const QString &text) const
{
    return addressOrSearch(text, m_session.tabs.searchTemplate);
}

void AddressBoxKeys::onAddressEntered(int k)
{
    Trap trap(m_errors, QStringLiteral(" At Combo Keypress"), {err::EFail});
    const QString text = m_c.tabs.tab(k).address();
    trap.step([&] {
        if (const int selected = m_c.tabStrip.selected(); m_c.tabs.contains(selected))
            m_c.tabs.tab(selected).setPicture(TabPicture::None);
    });
    trap.step([&] { m_c.tabs.tab(k).browser().navigate(typedToOpen(text)); });
    trap.step([&] {
        if (text.trimmed().isEmpty())
            m_c.tabs.tab(k).setCaption(QString());
    });
    trap.step([&] {
        if (!text.trimmed().isEmpty()) {
            QString copy = text;
            Trap(m_errors, QStringLiteral(" At AddToCombos")).step([&] {
                m_session.history.addToHistory(copy);
            });
        }
    });
}

void AddressBoxKeys::onAddressPicked(int k)
{
    Trap(m_errors, QStringLiteral(" At ComboClick")).step([&] {
        const QString text = m_c.tabs.tab(k).address();
        if (text.trimmed().isEmpty())
            return;
        m_c.tabs.tab(k).setPicture(TabPicture::None);
        m_c.tabs.tab(k).browser().navigate(typedToOpen(text));
    });
}

void AddressBoxKeys::onLinkDropped(int k, const QString &text, bool hasText)
{
    Trap(m_errors, QStringLiteral(" At OleDrop")).step([&] {
        if (!hasText)
            throwError(430);
        m_c.tabs.tab(k).browser().navigate(typedToOpen(text));
    });
}

}  // namespace pelquin
