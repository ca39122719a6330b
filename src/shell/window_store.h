#pragma once

#include "setup/startup_profile.h"
#include "shell/layout.h"

class QWidget;

namespace pelquin {

class ErrorReporter;
class Prompts;
class SettingsStore;
struct Session;

// What the main window keeps between runs: the address history in Requests.Dat, and the
// window's placement and hidden bars in the settings.
class WindowStore {
public:
    WindowStore(QWidget &window, Session &session, const BarVisibility &bars,
                SettingsStore &settings, Prompts &prompts, ErrorReporter &errors);

    // Reads Requests.Dat into the shared history; a missing file is an empty history.
    // Raises on any other error.
    void loadHistory();
    // Rewrites Requests.Dat, unless the history was read only in part.
    void saveHistory();
    // The same during the run: an error is printed, not shown. False when the write failed.
    bool saveHistoryQuietly();

    // The placement StartupProfile restored, to be made exact once the frame is known.
    void setRestored(const RestoredPlacement &placement) { m_placement = placement; }
    // Puts the frame where the stored placement says, once the window manager tells it.
    void fitOuterSize();
    // Stores the window's state, place, size and bar markers.
    void savePlacement();
    // A private run: nothing above is written.
    void keepNothing() { m_keepsNothing = true; }

private:
    QWidget &m_window;
    Session &m_session;
    const BarVisibility &m_bars;
    SettingsStore &m_settings;
    Prompts &m_prompts;
    ErrorReporter &m_errors;
    RestoredPlacement m_placement;
    bool m_keepsNothing = false;
};

}  // namespace pelquin
