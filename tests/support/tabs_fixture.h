#pragma once

#include "core/session.h"
#include "platform/clock.h"
#include "platform/error_report.h"
#include "platform/scripted_prompts.h"
#include "support/fake_browser.h"
#include "tabs/tab_collection.h"
#include "tabs/tab_strip.h"

#include <QWidget>

#include <gtest/gtest.h>

namespace pelquin::test {

// The 30 tabs with fake browsers and their strip, without the main window: for the parts
// that only follow tabs (marks, the wall, page dialogs, the strip itself).
class TabsFixture : public ::testing::Test {
protected:
    TabsFixture();

    BrowserTab &tab(int number) { return tabs.tab(number); }
    FakeBrowser &browser(int number) { return factory.browser(number); }

    QWidget window;
    ScriptedPrompts prompts;
    ErrorReporter errors{prompts};
    ManualClock clock;
    Session session;
    FakeFactory factory;
    TabCollection tabs{factory, session.history, TabContext{session, clock, errors, prompts},
                       &window};
    TabStrip strip{&window};
};

}  // namespace pelquin::test
