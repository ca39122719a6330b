#include "address/completion.h"

#include "core/address_history.h"

#include <QComboBox>
#include <QLineEdit>

namespace pelquin {

void completeAddressBoxText(QComboBox &combo, AddressHistory &history)
{
    if (history.skipComplete) {
        history.skipComplete = false;
        return;
    }
    QLineEdit *edit = combo.lineEdit();
    if (!edit)
        return;
    const QString text = edit->text();
    const QString item = history.firstStartingWith(text);
    const qsizetype d = item.size() - text.size();
    if (item.isEmpty() || d == 0)
        return;
    const qsizetype n = text.size();
    history.skipComplete = true;
    edit->insert(item.right(d));
    edit->setSelection(static_cast<int>(n), static_cast<int>(d));
}

}  // namespace pelquin
