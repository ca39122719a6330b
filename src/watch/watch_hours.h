#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>
#include <vector>

namespace pelquin {

// One stretch of the week when a page is watched, as written "Mon-Fri 08:00-18:00". A
// stretch whose end is not after its start goes on past midnight into the next day.
struct WatchHoursSpan {
    std::array<bool, 7> days{};  // Monday first
    int startMinute = 0;         // of the day it starts on
    int endMinute = 0;           // 1440 for "24:00"

    bool operator==(const WatchHoursSpan &) const = default;
};

// A span, or why the text is not one.
struct ParsedHoursSpan {
    std::optional<WatchHoursSpan> span;
    QString error;
};

// Reads "Mon 08:00-18:00", "Mon-Fri 08:00-18:00", "Fri-Mon 09:00-12:00", "Mon,Wed 8:00-9:30"
// or "Daily 22:00-06:00". Day names may be written in any case.
ParsedHoursSpan parseHoursSpan(const QString &text);

// The hours when a page is watched; outside them its refresh pauses.
class WatchHours {
public:
    // All texts must be good; the error names the first bad one.
    struct Parsed;
    static Parsed parse(const QStringList &texts);

    explicit WatchHours(std::vector<WatchHoursSpan> spans) : m_spans(std::move(spans)) {}

    bool activeAt(const QDateTime &when) const;
    // The first start of a span at or after `when`, in the same time zone.
    QDateTime nextStart(const QDateTime &when) const;
    const std::vector<WatchHoursSpan> &spans() const { return m_spans; }

    bool operator==(const WatchHours &) const = default;

private:
    std::vector<WatchHoursSpan> m_spans;
};

struct WatchHours::Parsed {
    std::optional<WatchHours> hours;
    QString error;
};

}  // namespace pelquin
