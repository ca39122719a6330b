#include "commands/goto_dialog.h"

#include "tabs/tab_strip.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace pelquin {

GotoDialog::GotoDialog(const TabStrip &tabs, QWidget *parent)
    : QDialog(parent), m_list(new QListWidget(this))
{
    setObjectName(QStringLiteral("gotoTabDialog"));
    setWindowTitle(QStringLiteral("Goto Tab"));
    m_list->setObjectName(QStringLiteral("tabList"));
    for (int t = 1; t <= tabs.count(); ++t)
        m_list->addItem(lineFor(t, tabs.caption(t)));
    m_list->setCurrentRow(tabs.selected() - 1);
    auto *ok = new QPushButton(QStringLiteral("&OK"), this);
    ok->setObjectName(QStringLiteral("okButton"));
    ok->setDefault(true);
    auto *cancel = new QPushButton(QStringLiteral("&Cancel"), this);
    cancel->setObjectName(QStringLiteral("cancelButton"));
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    layout->addLayout(buttons);
    resize(320, 420);
    connect(ok, &QPushButton::clicked, this, &GotoDialog::choose);
    connect(m_list, &QListWidget::itemDoubleClicked, this, &GotoDialog::choose);
    connect(cancel, &QPushButton::clicked, this, &GotoDialog::reject);
}

QString GotoDialog::lineFor(int tab, const QString &caption)
{
    return QStringLiteral("Tab %1 %2").arg(tab, 2, 10, QLatin1Char('0')).arg(caption);
}

void GotoDialog::choose()
{
    m_choice = m_list->currentItem() && m_list->currentItem()->isSelected()
                   ? m_list->currentRow()
                   : -1;
    accept();
}

void GotoDialog::reject()
{
    m_choice = -1;
    QDialog::reject();
}

}  // namespace pelquin
