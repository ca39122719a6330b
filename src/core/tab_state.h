#pragma once

#include "core/browser_control.h"

#include <QString>

#include <array>

namespace pelquin {

inline constexpr int kTabCount = 30;

enum class HistoryDirection { None, Back, Forward };

// Per-tab run-time values; all start false, empty or 0.
struct TabState {
    bool backEnabled = false;
    bool forwardEnabled = false;
    QString currentUrl;
    bool started = false;  // the staged loading has begun the home page
    bool loading = false;  // a load begun by the staged loading is outstanding
    int progressMax = 0;
    int progressValue = 0;
    bool refreshing = false;  // the next download-complete puts the world picture back
    QString statusText;
    QString scriptCaption;
    PageSecurity security = PageSecurity::None;  // of the page shown, for the padlock
};

// The 30 records, numbered 1 to 30, and the process-wide values that go with them.
class TabModel {
public:
    TabState &operator[](int tab) { return m_tabs.at(static_cast<size_t>(tab)); }
    const TabState &operator[](int tab) const { return m_tabs.at(static_cast<size_t>(tab)); }

    // True when no tab is both started and loading.
    bool allStartedTabsLoaded() const;
    // True when some tab is not started or still loading.
    bool startupPending() const;

    // Where the last Back or Forward went: a blank history entry is passed over that way.
    HistoryDirection historyDirection = HistoryDirection::None;
    bool startupDone = false;
    int lastSelectedTab = 0;

private:
    std::array<TabState, kTabCount + 1> m_tabs{};  // index 0 unused
};

// The short tab caption for an address; may be empty.
QString captionForAddress(QString inname);

}  // namespace pelquin
