#pragma once

#include <QRect>
#include <QString>

class QWidget;

namespace pelquin {

class ErrorReporter;
class ScriptableWindow;
class SettingsStore;
class SponsorSite;
struct Session;

// The window placement StartupProfile restored, kept so the outer size can be made exact once the
// window manager's frame is known.
struct RestoredPlacement {
    bool applied = false;
    QRect outer;  // pixels, the frame included
    bool maximized = false;
};

// Applies the setup at start-up: chooses the profile (the command line names one relative
// to the application folder), reads it, lays out the tabs and restores the window's
// placement. Any error of its own is reported " At DoSetup" and ends it.
class StartupProfile {
public:
    StartupProfile(Session &session, const SponsorSite &sponsor, SettingsStore &settings,
                   ErrorReporter &errors);

    RestoredPlacement run(const QString &profileName, QWidget &window,
                          ScriptableWindow &tabsLayout);

private:
    Session &m_session;
    const SponsorSite &m_sponsor;
    SettingsStore &m_settings;
    ErrorReporter &m_errors;
};

}  // namespace pelquin
