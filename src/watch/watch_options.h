#pragma once

namespace pelquin {

// How long each tab may be shown in turn, in seconds.
inline constexpr int kMinRotateSeconds = 5;
inline constexpr int kMaxRotateSeconds = 3600;

// How Pelquin helps watching many pages, set in Internet Options.
struct WatchOptions {
    // A desktop notice names each tab whose page changed.
    bool notifyChanges = false;
    // Every so many seconds the next tab with a page is shown; 0: never.
    int rotateSeconds = 0;

    bool operator==(const WatchOptions &) const = default;
};

}  // namespace pelquin
