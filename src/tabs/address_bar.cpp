#include "tabs/address_bar.h"

#include "core/address_history.h"
#include "core/tab_state.h"

#include <QComboBox>
#include <QLineEdit>

namespace pelquin {

AddressBar::AddressBar(AddressHistory &history, QWidget *parent) : QObject(parent)
{
    for (int tab = 1; tab <= kTabCount; ++tab) {
        auto *combo = new QComboBox(parent);
        combo->setObjectName(QStringLiteral("Combo1_%1").arg(tab));
        // Its own line edit, after the shared list: half the cost of setEditable, which
        // also builds the popup and sizes the box for a layout that places it anyway.
        combo->setModel(history.model());
        combo->setLineEdit(new QLineEdit(combo));
        combo->setInsertPolicy(QComboBox::NoInsert);
        combo->setMaxVisibleItems(20);
        // Completion is the program's own, from the first item of the shared list.
        combo->setCompleter(nullptr);
        combo->setPlaceholderText(QStringLiteral("Type an address and press Enter"));
        combo->setCurrentIndex(-1);
        combo->setVisible(false);
        m_combos[static_cast<size_t>(tab)] = combo;
    }
    // Connected after the combo boxes, so these run once they have had their say.
    QAbstractItemModel *model = history.model();
    connect(model, &QAbstractItemModel::modelAboutToBeReset, this, &AddressBar::holdTexts);
    connect(model, &QAbstractItemModel::rowsAboutToBeInserted, this, &AddressBar::holdTexts);
    connect(model, &QAbstractItemModel::rowsAboutToBeRemoved, this, &AddressBar::holdTexts);
    connect(model, &QAbstractItemModel::modelReset, this, &AddressBar::restoreTexts);
    connect(model, &QAbstractItemModel::rowsInserted, this, &AddressBar::restoreTexts);
    connect(model, &QAbstractItemModel::rowsRemoved, this, &AddressBar::restoreTexts);
}

void AddressBar::holdTexts()
{
    for (int tab = 1; tab <= kTabCount; ++tab) {
        m_held[tab] = combo(tab)->currentText();
        combo(tab)->blockSignals(true);  // the list's change is not typing
    }
}

void AddressBar::restoreTexts()
{
    for (int tab = 1; tab <= kTabCount; ++tab) {
        QComboBox *c = combo(tab);
        if (c->currentIndex() != -1)
            c->setCurrentIndex(-1);
        if (c->currentText() != m_held[tab])
            c->setEditText(m_held[tab]);
        c->blockSignals(false);
    }
}

QString AddressBar::text(int tab) const
{
    return combo(tab)->currentText();
}

void AddressBar::setText(int tab, const QString &text)
{
    combo(tab)->setEditText(text);
}

}  // namespace pelquin
