#pragma once

#include <QString>
#include <QStringList>

namespace pelquin {

// The spelling dictionary for the desktop's language. `desktopLanguages` are language tags,
// most wanted first, as QLocale::uiLanguages gives them ("de-AT", "de"); `dictionaries` are
// the names of the dictionaries at hand ("de-DE", "en-US"). The same language and country
// wins, then the same language, its own country's dictionary first ("de-DE" for "de-AT").
// The C locale of a bare session is American English. Empty when no dictionary fits.
QString spellingLanguageFor(const QStringList &desktopLanguages, const QStringList &dictionaries);

}  // namespace pelquin
