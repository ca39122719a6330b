#pragma once

#include <QString>

namespace pelquin {

// The built-in help shown by the help screen.
QString helpText();

}  // namespace pelquin
