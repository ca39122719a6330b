#pragma once

#include "core/tab_state.h"

#include <QDateTime>
#include <QString>

#include <array>

namespace pelquin {

class ErrorReporter;
class SponsorSite;

struct TabSetting {
    QString startUrl;
    QString tabName;
    bool pauseWhileLoading = false;
    bool autoRefresh = false;
    qint16 refreshMinutes = 0;
    bool openNewBrowser = false;
};

// The 30 tabs' profile values, numbered 1 to 30, and the path of the profile file.
class TabSettings {
public:
    TabSetting &operator[](int tab) { return m_tabs.at(static_cast<size_t>(tab - 1)); }
    const TabSetting &operator[](int tab) const { return m_tabs.at(static_cast<size_t>(tab - 1)); }

    QString profilePath;
    // Setup loaded another profile, which OK has not yet written over Setup.set.
    bool loadedForSetup = false;

private:
    std::array<TabSetting, kTabCount> m_tabs{};
};


// Reads a 180-line profile into `settings`, field by field, so a read that fails keeps what
// it read so far. Raises 53 for a missing file, 62 past the end, 6 for an interval outside
// 16 bits.
void readProfile(const QString &path, TabSettings &settings);

// Writes all 30 tabs as six lines each. Raises on failure; the old file stays whole.
void writeProfile(const QString &path, const TabSettings &settings);

// The start-up read: the profile at settings.profilePath, then the sponsor values for tabs
// 1 and 2. A missing file is silent; other errors are reported " At ReadSetup".
void readStartupProfile(TabSettings &settings, const SponsorSite &sponsor, ErrorReporter &errors);

// The Setup dialog's read: nothing forced, every error reported " At readsetupfile".
void readProfileForSetup(TabSettings &settings, ErrorReporter &errors);

// The profile a start names, in the application folder; "Setup.set" when it names none.
QString chosenProfilePath(const QString &appFolder, const QString &profileName);

}  // namespace pelquin
