#pragma once

#include <QDateTime>
#include <QString>

#include <optional>
#include <vector>

namespace pelquin {

struct WatchRule;

enum class AlertKind { Found, Gone, Below, Above };

// A condition of a watch rule that has just turned true.
struct WatchAlert {
    AlertKind kind = AlertKind::Found;
    // The words found or gone (for a regular expression, the text it matched), or the number
    // read from the page.
    QString subject;
    // The rule's number that was crossed, for Below and Above.
    double limit = 0;

    // As the tab's tooltip says it: Found "In stock", Gone: "Sold out", Below 70: 68.
    QString tip() const;
    // The tip with the time it fired: Found "In stock" (10:42).
    QString tipAt(const QDateTime &when) const;
    // A desktop notice: Tab 7: found "In stock".
    QString notice(int tab) const;

    bool operator==(const WatchAlert &) const = default;
};

// The rule's conditions that fire now, going from the previous watched text to the current
// one (both with the ignored lines already left out). A condition fires only on its edge,
// when it turns true, never again while it stays true:
//  - appears: words in the current text that were not in the previous one;
//  - disappears: words in the previous text that are not in the current one;
//  - below, above: the first number crosses the limit.
// Without a previous reading, appears, below and above fire when they already hold, since
// the user has not been told yet; disappears needs a reading in which the words were seen.
std::vector<WatchAlert> firingAlerts(const WatchRule &rule, const std::optional<QString> &previous,
                                     const QString &current);

}  // namespace pelquin
