#include "address/address_bar.h"

#include "address/address_history.h"
#include "tabs/tab_state.h"

#include <QComboBox>
#include <QLineEdit>

namespace pelquin {

AddressBar::AddressBar(AddressHistory &history, QWidget *parent) : QObject(parent)
{
    for (int tab = 1; tab <= kTabCount; ++tab) {
        auto *combo = new QComboBox(parent);
        combo->setObjectName(QStringLiteral("Combo1_%1").arg(tab));
        combo->setEditable(true);
        combo->setModel(history.model());
        combo->setInsertPolicy(QComboBox::NoInsert);
        combo->setMaxVisibleItems(20);
        // Completion is the program's own, from the first item of the shared list.
        combo->setCompleter(nullptr);
        combo->setCurrentIndex(-1);
        combo->setVisible(false);
        m_combos[static_cast<size_t>(tab)] = combo;
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
