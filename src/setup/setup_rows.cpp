#include "setup/setup_rows.h"

#include "core/tab_state.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace pelquin {

IntervalBox::IntervalBox(QWidget *parent)
    : QWidget(parent), m_edit(new QLineEdit(this)), m_up(new QToolButton(this)),
      m_down(new QToolButton(this))
{
    m_edit->setMaxLength(2);
    m_edit->setFixedWidth(34);
    m_edit->setAlignment(Qt::AlignRight);
    m_edit->installEventFilter(this);
    m_up->setArrowType(Qt::UpArrow);
    m_down->setArrowType(Qt::DownArrow);
    for (QToolButton *b : {m_up, m_down}) {
        b->setAutoRepeat(true);
        b->setFixedSize(18, 11);
        b->setFocusPolicy(Qt::NoFocus);
    }
    auto *arrows = new QVBoxLayout;
    arrows->setSpacing(0);
    arrows->addWidget(m_up);
    arrows->addWidget(m_down);
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(1);
    layout->addWidget(m_edit);
    layout->addLayout(arrows);
    setFocusProxy(m_edit);
    connect(m_up, &QToolButton::clicked, this, [this] { step(1); });
    connect(m_down, &QToolButton::clicked, this, [this] { step(-1); });
}

QString IntervalBox::text() const
{
    return m_edit->text();
}

void IntervalBox::setText(const QString &text)
{
    m_edit->setText(text);
}

void IntervalBox::setReadOnly(bool readOnly)
{
    m_edit->setReadOnly(readOnly);
    m_up->setEnabled(!readOnly);
    m_down->setEnabled(!readOnly);
}

void IntervalBox::step(int by)
{
    if (m_edit->isReadOnly())
        return;
    m_edit->setText(QString::number(std::clamp(m_edit->text().toInt() + by, 0, 99)));
}

bool IntervalBox::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_edit)
        return QWidget::eventFilter(watched, event);
    if (event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down) {
            step(key->key() == Qt::Key_Up ? 1 : -1);
            return true;
        }
        const QString typed = key->text();
        // Characters other than digits and Backspace are dropped; keys without a character
        // (arrows, Tab) keep their meaning.
        if (!typed.isEmpty() && key->key() != Qt::Key_Backspace && key->key() != Qt::Key_Tab &&
            key->key() != Qt::Key_Backtab && !(typed.size() == 1 && typed.at(0).isDigit()))
            return true;
    } else if (event->type() == QEvent::FocusOut && m_edit->text().toInt() == 0) {
        m_edit->setText(QStringLiteral("0"));
    }
    return QWidget::eventFilter(watched, event);
}

std::vector<SetupRow> buildSetupPages(QTabWidget &pages)
{
    static const char *headings[] = {"Tab Startup URL", "Tab Name", "Pause as other windows load",
                                     "Automatic Page Refresh", "Refresh Interval (in minutes)",
                                     "Open a new Browser"};
    std::vector<SetupRow> rows(kTabCount);
    for (int page = 0; page < 3; ++page) {
        auto *sheet = new QWidget(&pages);
        auto *grid = new QGridLayout(sheet);
        grid->setColumnStretch(1, 3);
        grid->setColumnStretch(2, 1);
        grid->setHorizontalSpacing(8);
        grid->setRowStretch(11, 1);  // rows stay together under their headings
        for (int c = 0; c < 6; ++c) {
            auto *label = new QLabel(QString::fromLatin1(headings[c]), sheet);
            label->setObjectName(QStringLiteral("heading%1").arg(c + 1));
            label->setWordWrap(true);
            label->setAlignment(Qt::AlignCenter);
            grid->addWidget(label, 0, c + 1);
        }
        for (int r = 1; r <= 10; ++r) {
            const int i = page * 10 + r;
            SetupRow &row = rows[static_cast<size_t>(i - 1)];
            const auto named = [i](QWidget *w, const char *name) {
                w->setObjectName(QStringLiteral("%1_%2").arg(QLatin1String(name)).arg(i));
                return w;
            };
            auto *number = new QLabel(QString::number(i), sheet);
            row.startUrlEdit = static_cast<QLineEdit *>(named(new QLineEdit(sheet), "startUrl"));
            row.tabNameEdit = static_cast<QLineEdit *>(named(new QLineEdit(sheet), "tabName"));
            row.tabNameEdit->setMaxLength(12);
            row.pauseCheck = static_cast<QCheckBox *>(named(new QCheckBox(sheet), "pause"));
            row.autoRefreshCheck = static_cast<QCheckBox *>(named(new QCheckBox(sheet), "autoRefresh"));
            row.intervalEdit = static_cast<IntervalBox *>(named(new IntervalBox(sheet), "interval"));
            row.intervalEdit->setText(QString());
            row.intervalEdit->setEnabled(false);
            row.intervalEdit->setReadOnly(true);
            row.newBrowserCheck = static_cast<QCheckBox *>(named(new QCheckBox(sheet), "newBrowser"));
            grid->addWidget(number, r, 0);
            grid->addWidget(row.startUrlEdit, r, 1);
            grid->addWidget(row.tabNameEdit, r, 2);
            grid->addWidget(row.pauseCheck, r, 3, Qt::AlignCenter);
            grid->addWidget(row.autoRefreshCheck, r, 4, Qt::AlignCenter);
            grid->addWidget(row.intervalEdit, r, 5, Qt::AlignCenter);
            grid->addWidget(row.newBrowserCheck, r, 6, Qt::AlignCenter);
            if (i <= 2) {  // the sponsor tabs cannot be edited
                QWidget *const cells[] = {row.startUrlEdit, row.tabNameEdit, row.pauseCheck,
                                          row.autoRefreshCheck, row.intervalEdit,
                                          row.newBrowserCheck};
                for (QWidget *cell : cells)
                    cell->setEnabled(false);
            }
        }
        pages.addTab(sheet, QStringLiteral("Tabs %1 - %2").arg(page * 10 + 1).arg(page * 10 + 10));
    }
    return rows;
}

}  // namespace pelquin
