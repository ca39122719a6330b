#include "shell/window_bounds.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

namespace pelquin {

namespace {
// How much of the title bar must stay on a screen to grab it: pixels across, and down.
constexpr int kGripWidth = 100;
constexpr int kGripHeight = 30;
}  // namespace

QRect keepReachable(QRect frame, const QList<QRect> &screens, QSize minimum, bool fitScreen)
{
    frame.setWidth(std::max(frame.width(), minimum.width()));
    frame.setHeight(std::max(frame.height(), minimum.height()));
    if (screens.isEmpty())
        return frame;
    // The screen the window is nearest to keeps it.
    const QRect titleBar(frame.left(), frame.top(), frame.width(), kGripHeight);
    const QRect *best = &screens.first();
    qint64 bestScore = std::numeric_limits<qint64>::min();
    for (const QRect &screen : screens) {
        const QRect overlap = screen.intersected(titleBar);
        const qint64 score = overlap.isEmpty()
                                 ? -(qint64(std::abs(screen.center().x() - titleBar.center().x())) +
                                     std::abs(screen.center().y() - titleBar.center().y()))
                                 : qint64(overlap.width()) * overlap.height();
        if (score > bestScore) {
            bestScore = score;
            best = &screen;
        }
    }
    if (fitScreen) {
        frame.setWidth(std::min(frame.width(), best->width()));
        frame.setHeight(std::min(frame.height(), best->height()));
    }
    const int grip = std::min(kGripWidth, frame.width());
    const int left = std::clamp(frame.left(), best->left() - frame.width() + grip,
                                std::max(best->left() - frame.width() + grip,
                                         best->right() + 1 - grip));
    const int top = std::clamp(frame.top(), best->top(),
                               std::max(best->top(), best->bottom() + 1 - kGripHeight));
    frame.moveTo(left, top);
    return frame;
}

}  // namespace pelquin
