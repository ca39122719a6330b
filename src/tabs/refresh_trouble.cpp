#include "tabs/refresh_trouble.h"

#include <array>

namespace pelquin {

int retryDelaySeconds(int tries, int intervalSeconds)
{
    static constexpr std::array<int, 4> kBackOff{30, 60, 120, 300};
    const int step = kBackOff[size_t(qBound(1, tries, int(kBackOff.size())) - 1)];
    return intervalSeconds > 0 ? qMin(step, intervalSeconds) : step;
}

void RefreshTrouble::failed(const QDateTime &now, const QString &why, int intervalSeconds)
{
    if (!failing())
        since = now;
    last = now;
    ++tries;
    reason = why;
    nextTry = now.addSecs(retryDelaySeconds(tries, intervalSeconds));
}

QString RefreshTrouble::toolTipLine() const
{
    if (!failing())
        return QString();
    const QString count =
        tries == 1 ? QStringLiteral("1 try") : QStringLiteral("%1 tries").arg(tries);
    return QStringLiteral("Could not refresh since %1 (%2): %3")
        .arg(since.toString(u"HH:mm"), count, reason);
}

QString RefreshTrouble::barText(const QDateTime &pageTime) const
{
    if (!failing())
        return QString();
    QString text = QStringLiteral("Could not refresh at %1: %2.")
                       .arg(last.toString(u"HH:mm"), reason);
    if (pageTime.isValid())
        text += QStringLiteral(" Showing the page of %1.").arg(pageTime.toString(u"HH:mm"));
    return text;
}

}  // namespace pelquin
