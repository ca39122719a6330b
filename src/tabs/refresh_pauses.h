#pragma once

#include <set>

namespace pelquin {

// What may hold the automatic refresh back.
enum class RefreshPause {
    Help,             // the help screen is open
    Setup,            // the Setup dialog is open
    FavoritesPrompt,  // the Favorites question is open
    AddingFavorite,   // the Add Favorite dialog is open
    Offline,          // the program works offline
};

// Why the automatic refresh waits now; any one reason is enough. Only the Timers change it;
// the rest of the program reads it.
class RefreshPauses {
public:
    bool has(RefreshPause reason) const { return m_reasons.count(reason) != 0; }
    bool any() const { return !m_reasons.empty(); }

private:
    friend class Timers;
    std::set<RefreshPause> m_reasons;
};

}  // namespace pelquin
