#pragma once

#include "core/session.h"
#include "platform/clock.h"
#include "platform/error_report.h"
#include "platform/scripted_prompts.h"
#include "support/fake_browser.h"
#include "commands/speed_menu.h"
#include "shell/button_bar.h"
#include "shell/status_area.h"
#include "tabs/tab_collection.h"
#include "shell/window_controls.h"
#include "tabs/tab_strip.h"

#include <QMap>
#include <QWidget>

#include <gtest/gtest.h>

namespace pelquin::test {

// The 30 tabs with fake browsers, their strip, the buttons and the status area, without the
// main window: for the parts that only follow tabs (marks, the wall, page dialogs, staged
// loading, the strip itself). The strip starts with tab 1 selected; nothing else follows
// the selection unless a test connects it.
class TabsFixture : public ::testing::Test {
protected:
    TabsFixture();

    BrowserTab &tab(int number) { return tabs.tab(number); }
    // A page of its own for each tab.
    static QString site(int number)
    {
        return QStringLiteral("http://site%1.example/").arg(number);
    }
    FakeBrowser &browser(int number) { return factory.browser(number); }
    TabControls controls() { return TabControls{strip, tabs, status}; }
    // What the window's own parts (layout, display modes, selection) are given.
    WindowControls windowControls() { return WindowControls{strip, buttons, tabs, status}; }
    // The profile as read at start-up; tabs not in `urls` have none. Flags: P pause,
    // R refresh, N new browser. Every tab t is named "Name<t>".
    void setProfile(const QMap<int, QString> &urls, const QMap<int, QString> &flags = {},
                    int refreshMinutes = 0);

    QWidget window;
    ScriptedPrompts prompts;
    ErrorReporter errors{prompts};
    ManualClock clock;
    Session session;
    FakeFactory factory;
    TabCollection tabs{factory, session.history, TabContext{session, clock, errors, prompts},
                       &window};
    TabStrip strip{&window};
    SpeedMenu menu{&window};
    ButtonBar buttons{&window};
    StatusArea status{&window};
};

}  // namespace pelquin::test
