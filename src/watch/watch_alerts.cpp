#include "watch/watch_alerts.h"

#include "watch/watch_rule.h"
#include "watch/watched_text.h"

namespace pelquin {

namespace {

// A pattern may match much of a page; the alert shows the start of it on one line.
QString shown(const QString &text)
{
    constexpr int kLongest = 60;
    const QString oneLine = text.simplified();
    return oneLine.size() > kLongest ? oneLine.left(kLongest) + QStringLiteral("...") : oneLine;
}

QString numberText(double number)
{
    return QString::number(number, 'g', 15);
}

// Enough matches to find a new one among the old, few enough for a page full of them.
constexpr int kMatchesLookedAt = 100;

// The first words the condition finds in `text` that `other` (with single spaces) lacks.
std::optional<QString> foundOnlyIn(const TextCondition &condition, const QString &text,
                                   const std::optional<QString> &other)
{
    const QString plainOther = other ? other->simplified() : QString();
    auto inOther = [&](const QString &words) {
        return other && plainOther.contains(words, Qt::CaseInsensitive);
    };
    if (!condition.isPattern) {
        const bool inText = text.simplified().contains(condition.plain, Qt::CaseInsensitive);
        return inText && !inOther(condition.plain) ? std::optional(condition.plain) : std::nullopt;
    }
    int looked = 0;
    for (auto it = condition.pattern.globalMatch(text); it.hasNext() && looked < kMatchesLookedAt;
         ++looked) {
        const QString matched = it.next().captured().simplified();
        if (!matched.isEmpty() && !inOther(matched))
            return matched;
    }
    return std::nullopt;
}

bool holds(AlertKind kind, double limit, const std::optional<double> &number)
{
    return number && (kind == AlertKind::Below ? *number < limit : *number > limit);
}

void addCrossing(std::vector<WatchAlert> &alerts, AlertKind kind,
                 const std::optional<double> &limit, const std::optional<QString> &previous,
                 const QString &current)
{
    if (!limit)
        return;
    const std::optional<double> now = firstNumber(current);
    const bool before = previous && holds(kind, *limit, firstNumber(*previous));
    if (holds(kind, *limit, now) && !before)
        alerts.push_back({kind, numberText(*now), *limit});
}

}  // namespace

QString WatchAlert::tip() const
{
    switch (kind) {
    case AlertKind::Found:
        return QStringLiteral("Found \"%1\"").arg(shown(subject));
    case AlertKind::Gone:
        return QStringLiteral("Gone: \"%1\"").arg(shown(subject));
    case AlertKind::Below:
        return QStringLiteral("Below %1: %2").arg(numberText(limit), subject);
    case AlertKind::Above:
        return QStringLiteral("Above %1: %2").arg(numberText(limit), subject);
    }
    return {};
}

QString WatchAlert::tipAt(const QDateTime &when) const
{
    return QStringLiteral("%1 (%2)").arg(tip(), when.toString(QStringLiteral("HH:mm")));
}

QString WatchAlert::notice(int tab) const
{
    const QString line = tip();
    return QStringLiteral("Tab %1: %2").arg(tab).arg(line.left(1).toLower() + line.mid(1));
}

std::vector<WatchAlert> firingAlerts(const WatchRule &rule, const std::optional<QString> &previous,
                                     const QString &current)
{
    std::vector<WatchAlert> alerts;
    if (rule.appears) {
        if (const auto found = foundOnlyIn(*rule.appears, current, previous))
            alerts.push_back({AlertKind::Found, *found, 0});
    }
    if (rule.disappears && previous) {
        if (const auto gone = foundOnlyIn(*rule.disappears, *previous, current))
            alerts.push_back({AlertKind::Gone, *gone, 0});
    }
    addCrossing(alerts, AlertKind::Below, rule.below, previous, current);
    addCrossing(alerts, AlertKind::Above, rule.above, previous, current);
    return alerts;
}

}  // namespace pelquin
