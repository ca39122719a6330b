#pragma once

#include <QString>
#include <QUrl>

namespace pelquin {

// The address text as the browser reads it: white space around it and every control
// character (tabs and line breaks included) anywhere in it removed.
QString cleanAddressText(const QString &text);

// What the browser loads for an address typed or sent as text: no scheme means http://, an
// absolute path or "~/" opens the file. Empty for a blank text.
QUrl typedAddressUrl(const QString &text);

// The address without its "name:password@" part, which is never shown or stored.
QString withoutUserInfo(const QString &address);

// Whether a page's script may send a tab to `target`: only where a link of that page could
// go. From the web, http and https only; Pelquin's own pages in the application folder may
// also open files. Script, data and the engine's internal schemes never.
bool scriptMayOpen(const QString &pageAddress, const QUrl &target, const QString &appFolder);

}  // namespace pelquin
