#pragma once

#include "platform/settings_store.h"

#include <QString>
#include <QUrl>

namespace pelquin {

// The address text as the browser reads it: white space around it and every control
// character (tabs and line breaks included) anywhere in it removed.
QString cleanAddressText(const QString &text);

// What the browser loads for an address typed or sent as text: no scheme means http://, an
// absolute path or "~/" opens the file. Empty for a blank text.
QUrl typedAddressUrl(const QString &text);

// The search that typed text becomes when it is no address, with "%s" for the words.
inline constexpr const char *kDefaultSearchTemplate = setting::SearchTemplate.fallback;

// What an emptied tab shows.
inline constexpr char kBlankPage[] = "about:blank";

// Whether typed text is words to search for rather than an address: text with a blank in it,
// or one word without a dot, a scheme, a port or a path (other than "localhost"). A file
// path, "~/", an IPv6 address or a login is an address.
bool isSearchText(const QString &text);

// What to load for typed text: the text itself when it is an address, else the search
// template (when it holds "%s" and is a web address; else the default one) with the words.
QString addressOrSearch(const QString &text, const QString &searchTemplate);

// Whether a search template can be used: a web address with "%s" for the words.
bool isSearchTemplate(const QString &searchTemplate);

// The address without its "name:password@" part, which is never shown or stored.
QString withoutUserInfo(const QString &address);

// Whether a page's script may send a tab to `target`: only where a link of that page could
// go. From the web, http and https only; Pelquin's own pages in the application folder may
// also open files. Script, data and the engine's internal schemes never.
bool scriptMayOpen(const QString &pageAddress, const QUrl &target, const QString &appFolder);

// Whether an address from outside the program may be opened: http, https or a local file.
bool mayOpenFromOutside(const QString &address);

}  // namespace pelquin
