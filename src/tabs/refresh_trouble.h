#pragma once

#include <QDateTime>
#include <QString>

namespace pelquin {

// Automatic refreshes of a tab that failed since its page last loaded well. The page shown
// stays the good one meanwhile, and tries go on by a schedule that backs off.
struct RefreshTrouble {
    QDateTime since;    // the first failed try; unset while the tab is fine
    QDateTime last;     // the latest failed try
    int tries = 0;
    QString reason;     // why the latest failed: "timed out", "HTTP 503"
    QDateTime nextTry;

    bool failing() const { return tries > 0; }
    // A try failed at `now`; `intervalSeconds` is the tab's own refresh interval, 0 for none.
    void failed(const QDateTime &now, const QString &why, int intervalSeconds);
    // The tooltip's line: Could not refresh since 10:42 (3 tries): HTTP 503
    QString toolTipLine() const;
    // The bar over the page: Could not refresh at 10:47: HTTP 503. Showing the page of 10:40.
    QString barText(const QDateTime &pageTime) const;
};

// How long after its `tries`-th failed try a tab tries again: 30 s, 1, 2 and 5 minutes, then
// every 5 minutes, or at the tab's own interval when that is shorter.
int retryDelaySeconds(int tries, int intervalSeconds);

}  // namespace pelquin
