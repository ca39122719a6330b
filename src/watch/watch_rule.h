#pragma once

#include "watch/watch_hours.h"

#include <QJsonObject>
#include <QList>
#include <QRegularExpression>
#include <QString>
#include <QStringList>

#include <optional>

namespace pelquin {

// Words a condition looks for: plain text, found in any case and with any spacing, or a
// regular expression written /like this/.
struct TextCondition {
    bool isPattern = false;
    QString plain;               // with single spaces, when not a pattern
    QRegularExpression pattern;  // when a pattern
};

// How one watched page is read, compared and alerted on: one object of "rules" in Watch.json.
struct WatchRule {
    // The page's exact address, or a prefix followed by "*".
    QString address;
    // A CSS selector of the part of the page that is watched; empty: the whole page.
    QString region;
    // A line of watched text that matches one of these is left out. Here and in "hours", a
    // single text in the file stands for a list of one.
    QList<QRegularExpression> ignore;
    // Digits, times and dates do not count when comparing, so a clock alone never marks.
    bool ignoreNumbers = false;
    std::optional<TextCondition> appears;
    std::optional<TextCondition> disappears;
    // Compared with the first number in the watched text.
    std::optional<double> below;
    std::optional<double> above;
    std::optional<WatchHours> hours;
    std::optional<double> staleMinutes;
    std::optional<double> showSeconds;

    bool matches(const QString &pageAddress) const;
};

// A rule read from its object, or what is wrong with it. A bad "hours" alone leaves the
// rest of the rule in force, so `rule` and `problems` may both be set.
struct ParsedWatchRule {
    std::optional<WatchRule> rule;
    QStringList problems;  // each names the key and what is wrong, without the file's name
};

ParsedWatchRule parseWatchRule(const QJsonObject &object);

// Whether a CSS selector is fit to hand to a page: not empty, brackets and quotes closed. The
// page itself finds the subtler mistakes. Returns what is wrong, or an empty text.
QString selectorProblem(const QString &selector);

// How a message names the kind of a value: "text", "a number", "a list", ...
QString jsonKindName(const QJsonValue &value);

}  // namespace pelquin
