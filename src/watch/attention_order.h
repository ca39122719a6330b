#pragma once

#include <QDateTime>
#include <QString>

#include <vector>

namespace pelquin {

struct WatchAlert;

// What a tab has to show the user.
struct TabAttention {
    bool alert = false;    // one of its watch conditions fired
    bool changed = false;  // its words changed since the user last looked
    bool unwell = false;   // its refreshes fail, its site signed it out, or it went stale

    bool operator==(const TabAttention &) const = default;
};

// The tab to go to next, `tabs` being tab 1, 2, ... in tab order: the next tab with an alert
// after `current`, going round; when none has one, the next unwell tab, then the next
// changed tab; 0 when there is
// nothing to see. The current tab comes last, so that the key always moves on while another
// tab wants looking at.
int nextTabForAttention(const std::vector<TabAttention> &tabs, int current);

// The status bar's line for an alert: Tab 7: found "In stock" at 10:42.
QString alertStatus(int tab, const WatchAlert &alert, const QDateTime &when);

}  // namespace pelquin
