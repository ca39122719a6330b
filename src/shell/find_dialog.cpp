#include "shell/find_dialog.h"

#include "platform/basic_error.h"
#include "core/browser_control.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

#include <utility>

namespace pelquin {

FindDialog::FindDialog(std::function<BrowserControl *()> current, QWidget *parent)
    : QDialog(parent), m_current(std::move(current)), m_text(new QLineEdit(this)),
      m_status(new QLabel(this))
{
    setObjectName(QStringLiteral("find"));
    setWindowTitle(QStringLiteral("Find"));
    setModal(false);
    auto *next = new QPushButton(QStringLiteral("Find &Next"), this);
    next->setDefault(true);
    auto *previous = new QPushButton(QStringLiteral("Find &Previous"), this);
    previous->setAutoDefault(false);
    auto *close = new QPushButton(QStringLiteral("&Close"), this);
    close->setAutoDefault(false);
    auto *row = new QHBoxLayout;
    row->addWidget(new QLabel(QStringLiteral("Fi&nd what:"), this));
    row->addWidget(m_text, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_status, 1);
    buttons->addWidget(next);
    buttons->addWidget(previous);
    buttons->addWidget(close);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addLayout(buttons);
    connect(next, &QPushButton::clicked, this, [this] { findNext(false); });
    connect(previous, &QPushButton::clicked, this, [this] { findNext(true); });
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    connect(m_text, &QLineEdit::textChanged, this, [this] { m_status->clear(); });
    resize(420, sizeHint().height());
}

QString FindDialog::status() const
{
    return m_status->text();
}

void FindDialog::findNext(bool backward)
{
    BrowserControl *browser = m_current ? m_current() : nullptr;
    if (!browser || m_text->text().isEmpty())
        return;
    QPointer<QLabel> status = m_status;
    m_highlighted = true;
    try {
        browser->findText(m_text->text(), backward, [status](const FindResult &result) {
            if (status)
                status->setText(result.found() ? QStringLiteral("%1 of %2")
                                                     .arg(result.active)
                                                     .arg(result.total)
                                               : QStringLiteral("Not found"));
        });
    } catch (const BasicError &) {
        m_status->setText(QStringLiteral("Not found"));  // no page to search yet
    }
}

void FindDialog::hideEvent(QHideEvent *event)
{
    if (!std::exchange(m_highlighted, false)) {
        QDialog::hideEvent(event);
        return;
    }
    if (BrowserControl *browser = m_current ? m_current() : nullptr) {
        try {
            browser->findText(QString(), false, {});
        } catch (const BasicError &) {
        }
    }
    QDialog::hideEvent(event);
}

}  // namespace pelquin
