#pragma once

class QComboBox;

namespace pelquin {

class AddressHistory;

// Completes a address box's text from the history as it changes: the first entry that begins
// with the text shows whole, with the part not typed selected, so the next key replaces it.
void completeAddressBoxText(QComboBox &combo, AddressHistory &history);

}  // namespace pelquin
