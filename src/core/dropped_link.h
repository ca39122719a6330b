#pragma once

#include <QString>

class QMimeData;

namespace pelquin {

// What a drop carries to open. A link dragged out of a page carries its address in the URL
// list and its words as text: the address is what was meant. Plain text is taken as typed.
QString droppedAddress(const QMimeData &data);

// Whether the drop carries anything to open at all.
bool carriesAddress(const QMimeData &data);

}  // namespace pelquin
