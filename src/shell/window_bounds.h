#pragma once

#include <QList>
#include <QRect>
#include <QSize>

namespace pelquin {

// The outer window rectangle moved and sized as little as needed so that at least part of
// its title bar lies on one of the screens and it is no smaller than `minimum`.
// With `fitScreen`, it is also made no larger than that screen's available area.
QRect keepReachable(QRect frame, const QList<QRect> &screens, QSize minimum,
                    bool fitScreen = false);

}  // namespace pelquin
