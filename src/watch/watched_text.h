#pragma once

#include <QList>
#include <QRegularExpression>
#include <QString>

#include <optional>

namespace pelquin {

struct WatchRule;

// Stands for a number, time or date that the comparison leaves out.
inline constexpr char16_t kNumberPlaceholder = u'#';

// The text without the lines that match one of `ignore`. Line ends become "\n".
QString withoutIgnoredLines(const QString &text, const QList<QRegularExpression> &ignore);

// Each date ("2026-12-08", "08/12/2026", "8 Dec 2026", "Dec 8", with a day name before it),
// time ("12:34", "12:34:56", "9:05 pm", "10am") and run of digits ("1,234.5") replaced by
// the placeholder, so that a clock or a counter alone changes nothing.
QString withoutNumbers(const QString &text);

// The page's text as the rule watches it: without the ignored lines. The conditions are
// tested on this, numbers and all.
QString watchedText(const QString &pageText, const WatchRule &rule);

// What decides whether the watched text changed: its words with single spaces between them,
// and with the rule's ignoreNumbers, without numbers, times and dates. Two texts changed
// when their comparison forms differ.
QString comparisonForm(const QString &watched, const WatchRule &rule);

// The first number in the text: "1,234.5" is 1234.5, "-3" is -3, "68%" is 68. Digits run
// into a word ("A4", "v2.5") are not a number. None when the text has no number.
std::optional<double> firstNumber(const QString &text);

}  // namespace pelquin
