#pragma once

#include "desktop/history_folder.h"
#include "platform/clock.h"
#include "platform/error_report.h"
#include "platform/scripted_prompts.h"
#include "platform/settings_store.h"
#include "shell/main_window.h"
#include "core/session.h"
#include "sponsor/sponsor_site.h"
#include "support/fake_browser.h"
#include "support/temp_home.h"

#include <gtest/gtest.h>

#include <memory>

namespace pelquin::test {

// The main window with fake browsers, scripted prompts, a manual clock and a temporary
// application folder and settings file.
class ShellFixture : public ::testing::Test {
protected:
    ShellFixture();

    // Loads, shows and activates the window the way the program's start does.
    void start(const QString &profileName = QString());
    // The next start shows a normal (not maximised) window of this outer size, in twips.
    void storeNormalWindow(int width, int height);
    // Closes and drops the window; a later start() is a new run on the same files.
    void restart();

    // Writes a profile; tabs not in `urls` get an empty block. Flags: P pause, R refresh.
    void writeProfile(const QMap<int, QString> &urls, const QMap<int, QString> &flags = {},
                      int refreshMinutes = 0);
    FakeBrowser &browser(int tab) { return factory->browser(tab); }
    QStringList messageTexts() const;

    TempHome home;
    ScriptedPrompts prompts;
    ErrorReporter errors{prompts};
    ManualClock clock;
    std::unique_ptr<SettingsStore> settings;
    std::unique_ptr<FakeFactory> factory;
    SponsorSite sponsor{QStringLiteral("pelquin.localhost:8470")};
    std::unique_ptr<Session> session;
    std::unique_ptr<HistoryFolder> history;
    QStringList started;  // command lines the desktop commands started
    QString mailHandler;  // the desktop file of the default mail program
    DesktopNotifier *notifier = nullptr;  // given to the window at start()
    bool privateRun = false;              // the next start() is a private run
    std::unique_ptr<MainWindow> window;
};

}  // namespace pelquin::test
