#include "tabs/page_dialog_box.h"

#include "tabs/browser_tab.h"

#include "core/page_text.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace pelquin {

namespace {

constexpr int kMaxShownText = 1000;
constexpr int kMaxShownTitle = 100;

using Kind = PageDialog::Kind;

}  // namespace

QString PageDialogBox::titleFor(const BrowserTab &tab, const QString &site)
{
    return QStringLiteral("Tab %1: %2")
        .arg(tab.number())
        .arg(site.isEmpty() ? QStringLiteral("Pelquin") : site.left(kMaxShownTitle));
}

QString PageDialogBox::messageFor(const PageDialog &dialog)
{
    // A realm or message of any length wraps: the box and its buttons stay on the screen.
    const QString text = wrappablePageText(dialog.text, kMaxShownText);
    switch (dialog.kind) {
    case Kind::Login:
        return QStringLiteral("%1 asks for a name and password.\nRealm: %2")
            .arg(dialog.site, text);
    case Kind::ProxyLogin:
        return QStringLiteral("The proxy %1 asks for a name and password.\nRealm: %2")
            .arg(dialog.site, text);
    case Kind::Permission:
        return QStringLiteral("%1 wants to %2.").arg(dialog.site, text);
    case Kind::LeavePage:
        return QStringLiteral("Leave this page? Changes you made may not be saved.");
    default:
        return text;
    }
}

PageDialogBox::PageDialogBox(const BrowserTab &tab, const PageDialog &dialog, bool offerPrevent,
                             QWidget *parent)
    : QDialog(parent), m_dialog(dialog)
{
    setObjectName(QStringLiteral("pageDialog"));
    setWindowTitle(titleFor(tab, dialog.site));
    setWindowModality(Qt::NonModal);
    auto *layout = new QVBoxLayout(this);
    auto *message = new QLabel(messageFor(dialog), this);
    // A page's text is shown as it is, never read as markup.
    message->setTextFormat(Qt::PlainText);
    message->setWordWrap(true);
    message->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(message);
    if (dialog.kind == Kind::Prompt) {
        m_value = new QLineEdit(dialog.value.left(kMaxShownText), this);
        layout->addWidget(m_value);
    }
    if (dialog.kind == Kind::Login || dialog.kind == Kind::ProxyLogin) {
        auto *form = new QFormLayout;
        m_value = new QLineEdit(this);
        m_value->setObjectName(QStringLiteral("loginName"));
        m_password = new QLineEdit(this);
        m_password->setObjectName(QStringLiteral("loginPassword"));
        m_password->setEchoMode(QLineEdit::Password);
        form->addRow(QStringLiteral("&Name:"), m_value);
        form->addRow(QStringLiteral("&Password:"), m_password);
        layout->addLayout(form);
    }
    if (offerPrevent) {
        m_prevent = new QCheckBox(QStringLiteral("Prevent this page from creating more dialogs"),
                                  this);
        layout->addWidget(m_prevent);
    }
    auto *buttons = new QDialogButtonBox(this);
    switch (dialog.kind) {
    case Kind::Alert:
        buttons->addButton(QDialogButtonBox::Ok);
        break;
    case Kind::LeavePage:
        buttons->addButton(QStringLiteral("&Leave"), QDialogButtonBox::AcceptRole);
        buttons->addButton(QStringLiteral("&Stay"), QDialogButtonBox::RejectRole);
        break;
    case Kind::Permission:
        buttons->addButton(QStringLiteral("&Allow"), QDialogButtonBox::AcceptRole);
        buttons->addButton(QStringLiteral("&Deny"), QDialogButtonBox::RejectRole)
            ->setDefault(true);
        break;
    default:
        buttons->addButton(QDialogButtonBox::Ok);
        buttons->addButton(QDialogButtonBox::Cancel);
        break;
    }
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

PageDialogReply PageDialogBox::reply() const
{
    PageDialogReply reply;
    reply.accepted = result() == QDialog::Accepted;
    if (m_value)
        reply.text = m_value->text();
    if (m_password)
        reply.password = m_password->text();
    // An empty login is no answer: the server shows its own page instead of asking again.
    if (m_password && reply.text.isEmpty())
        reply.accepted = false;
    return reply;
}

bool PageDialogBox::preventMore() const
{
    return m_prevent && m_prevent->isChecked();
}

}  // namespace pelquin
