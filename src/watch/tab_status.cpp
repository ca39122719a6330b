#include "watch/tab_status.h"

#include "core/typed_address.h"
#include "tabs/tab_collection.h"
#include "watch/watched_pages.h"

#include <QJsonArray>
#include <QJsonDocument>

namespace pelquin {

QString tabHealth(const BrowserTab &tab)
{
    if (tab.state().crashed)
        return QStringLiteral("crashed");
    switch (tab.health()) {
    case TabHealth::Failing:
        return QStringLiteral("failing");
    case TabHealth::SignedOut:
        return QStringLiteral("signed out");
    case TabHealth::Stale:
        return QStringLiteral("stale");
    case TabHealth::Fine:
        break;
    }
    return QStringLiteral("fine");
}

QDateTime lastChangeOf(const BrowserTab &tab, WatchedPages &pages)
{
    const QString address = tab.state().currentUrl;
    if (address.isEmpty() || !tab.hasPage())
        return {};
    const QList<TextVersion> kept = pages.versions().versions(address);
    return kept.isEmpty() ? QDateTime() : kept.last().time;
}

namespace {

// A time as ISO 8601 with its offset from UTC, or null.
QJsonValue isoTime(const QDateTime &time)
{
    return time.isValid()
               ? QJsonValue(time.toOffsetFromUtc(time.offsetFromUtc()).toString(Qt::ISODate))
               : QJsonValue(QJsonValue::Null);
}

}  // namespace

QJsonObject tabStatus(const BrowserTab &tab, bool selected, const QDateTime &lastChange)
{
    QString address = tab.browser().locationUrl();
    if (address.isEmpty())
        address = tab.state().currentUrl;
    if (address == QLatin1String(kBlankPage))
        address.clear();
    return QJsonObject{
        {QStringLiteral("number"), tab.number()},
        {QStringLiteral("caption"), tab.look().caption},
        {QStringLiteral("address"), withoutUserInfo(address)},
        {QStringLiteral("selected"), selected},
        {QStringLiteral("loading"), tab.state().loading || tab.browser().busy()},
        {QStringLiteral("changed"), tab.changed()},
        {QStringLiteral("alerted"), tab.alerted()},
        {QStringLiteral("health"), tabHealth(tab)},
        {QStringLiteral("lastChange"), isoTime(lastChange)},
        {QStringLiteral("pausedUntil"), isoTime(tab.pausedUntil())},
    };
}

QByteArray statusJson(const TabCollection &tabs, int selected, WatchedPages &pages)
{
    QJsonArray list;
    for (const BrowserTab &tab : tabs)
        list.append(tabStatus(tab, tab.number() == selected, lastChangeOf(tab, pages)));
    return QJsonDocument(QJsonObject{{QStringLiteral("tabs"), list}})
        .toJson(QJsonDocument::Indented);
}

}  // namespace pelquin
