#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QJsonObject>
#include <QString>

namespace pelquin {

class BrowserTab;
class TabCollection;
class WatchedPages;

// How a tab's page is doing: "crashed" while its process is gone, "failing", "signed out",
// "stale" or "fine".
QString tabHealth(const BrowserTab &tab);

// When the page's watched text last became what it is now; unset when it was never read.
QDateTime lastChangeOf(const BrowserTab &tab, WatchedPages &pages);

// One tab as the status tells it: number, caption, address, loading, changed, alerted,
// health, last change (ISO 8601, or null) and whether it is the selected one.
QJsonObject tabStatus(const BrowserTab &tab, bool selected, const QDateTime &lastChange);

// Every tab of the collection, in order, as a JSON document that ends with a line break.
QByteArray statusJson(const TabCollection &tabs, int selected, WatchedPages &pages);

}  // namespace pelquin
