#include "address/open_location.h"

#include "core/address_history.h"
#include "address/completion.h"
#include "platform/twips.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

namespace pelquin {

OpenLocationDialog::OpenLocationDialog(AddressHistory &history,
                                       const QString &current, QWidget *parent)
    : QDialog(parent), m_history(history), m_combo(new QComboBox(this))
{
    setObjectName(QStringLiteral("openLocationDialog"));
    setWindowTitle(QStringLiteral("Open Location"));
    m_combo->setObjectName(QStringLiteral("address"));
    m_combo->setEditable(true);
    m_combo->setInsertPolicy(QComboBox::NoInsert);
    m_combo->setCompleter(nullptr);
    m_combo->setPlaceholderText(QStringLiteral("Type an address and press Enter"));
    m_combo->setModel(history.model());
    m_combo->setCurrentIndex(-1);
    m_combo->setEditText(current);
    m_combo->installEventFilter(this);
    m_combo->lineEdit()->installEventFilter(this);
    const QRect box = toPixelRect(120, 120, 7815, 0);
    m_combo->setGeometry(box.x(), box.y(), box.width(), m_combo->sizeHint().height());
    // The buttons stand below the visible area: Enter and Escape reach them.
    auto *accept = new QPushButton(QStringLiteral("OK"), this);
    accept->setObjectName(QStringLiteral("okButton"));
    accept->setDefault(true);
    accept->setGeometry(toPixelRect(1800, 600, 1215, 495));
    auto *cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("cancelButton"));
    cancel->setGeometry(toPixelRect(3360, 600, 1215, 495));
    setFixedSize(toPixels(7950), qMax(toPixels(540), box.y() * 2 + m_combo->height()));
    connect(accept, &QPushButton::clicked, this, &OpenLocationDialog::acceptAddress);
    connect(cancel, &QPushButton::clicked, this, &OpenLocationDialog::cancel);
    connect(m_combo, &QComboBox::editTextChanged, this,
            [this] { completeAddressBoxText(*m_combo, m_history); });
    connect(m_combo, &QComboBox::activated, this, &OpenLocationDialog::onAddressPicked);
}

bool OpenLocationDialog::eventFilter(QObject *watched, QEvent *event)
{
    const bool inBox = watched == m_combo || watched == m_combo->lineEdit();
    if (event->type() == QEvent::KeyPress && inBox) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Delete || key == Qt::Key_Backspace)
            m_history.skipComplete = true;
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            acceptAddress();
            return true;
        }
        if (key == Qt::Key_Escape) {
            cancel();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void OpenLocationDialog::acceptAddress()
{
    const QString text = m_combo->currentText();
    if (!text.trimmed().isEmpty())
        m_openAddress = text;
    accept();
}

void OpenLocationDialog::cancel()
{
    m_openAddress.clear();
    QDialog::reject();
}

void OpenLocationDialog::reject()
{
    cancel();
}

void OpenLocationDialog::onAddressPicked()
{
    const QString text = m_combo->currentText();
    if (text.trimmed().isEmpty())
        return;
    m_openAddress = text;
    emit addressPicked();
}

void OpenLocationDialog::closeEvent(QCloseEvent *event)
{
    // The window's close box keeps whatever address was picked.
    QDialog::reject();
    event->accept();
}

}  // namespace pelquin
