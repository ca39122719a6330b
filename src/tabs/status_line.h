#pragma once

#include <QString>

namespace pelquin {

// The line below the pages where the window tells the user something: for good, or for a
// moment over what it said before.
class StatusLine {
public:
    virtual ~StatusLine() = default;
    virtual QString text() const = 0;
    virtual void setText(const QString &text) = 0;
    virtual void showForAMoment(const QString &text) = 0;
};

}  // namespace pelquin
