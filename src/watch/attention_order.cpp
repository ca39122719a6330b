#include "watch/attention_order.h"

#include "watch/watch_alerts.h"

#include <functional>

namespace pelquin {

namespace {

// The first tab after `current` that `wants`, going round, the current tab itself last.
template <typename Wants>
int nextWanting(const std::vector<TabAttention> &tabs, int current, Wants wants)
{
    const int count = int(tabs.size());
    const int start = current >= 1 && current <= count ? current : 0;
    for (int step = 1; step <= count; ++step) {
        const int tab = (start - 1 + step) % count + 1;
        if (tab != current && wants(tabs[tab - 1]))
            return tab;
    }
    return 0;
}

}  // namespace

int nextTabForAttention(const std::vector<TabAttention> &tabs, int current)
{
    const auto alert = [](const TabAttention &tab) { return tab.alert; };
    const auto unwell = [](const TabAttention &tab) { return tab.unwell; };
    const auto changed = [](const TabAttention &tab) { return tab.changed; };
    for (const auto &wants : {std::function<bool(const TabAttention &)>(alert), {unwell}, {changed}})
        if (const int tab = nextWanting(tabs, current, wants))
            return tab;
    const auto any = [](const TabAttention &tab) { return tab.alert || tab.unwell || tab.changed; };
    const bool currentWants = current >= 1 && current <= int(tabs.size()) && any(tabs[current - 1]);
    return currentWants ? current : 0;
}

QString alertStatus(int tab, const WatchAlert &alert, const QDateTime &when)
{
    return QStringLiteral("%1 at %2")
        .arg(alert.notice(tab), when.toString(QStringLiteral("HH:mm")));
}

}  // namespace pelquin
