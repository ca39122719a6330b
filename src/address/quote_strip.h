#pragma once

#include <QString>

namespace pelquin {

// A command line without double quotes, cut before its first "/".
QString stripoutquotes(const QString &indata);

// A value without double quotes; everything else stays.
QString stripArgumentQuotes(const QString &indata);

}  // namespace pelquin
