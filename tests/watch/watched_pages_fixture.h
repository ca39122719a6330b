#pragma once

#include "support/recording_notifier.h"
#include "support/temp_home.h"
#include "support/window_parts_fixture.h"
#include "tabs/tab_strip.h"

#include <QByteArray>
#include <QString>
#include <QTabBar>

namespace pelquin::test {

// Tabs 3 and 5 watched by the rules of a Watch.json in the application folder; the user
// looks at tab 4.
class WatchedPagesFixture : public WatchingFixture {
protected:
    void SetUp() override
    {
        session.appFolder = home.folder();
        clock.set(QDateTime(QDate(2026, 3, 2), QTime(14, 7)));
        setProfile({{3, site(3)}, {4, site(4)}, {5, site(5)}});
    }
    void writeRules(const QByteArray &json) { home.write(QStringLiteral("Watch.json"), json); }
    // Builds the watching anew, reading the rules, and loads the tabs' first pages.
    void start(const QString &three, const QString &five = QStringLiteral("five"))
    {
        watch(&notices);
        browser(3).visibleText = three;
        browser(3).regionText = three;
        browser(5).visibleText = five;
        for (int t : {3, 4, 5})
            browser(t).load(site(t));
        strip.select(4);
    }
    void reload(int t, const QString &text)
    {
        browser(t).visibleText = text;
        browser(t).regionText = text;
        browser(t).load(site(t));
    }
    QString tipOf(int t) { return strip.bar()->tabToolTip(t - 1); }

    TempHome home;
    RecordingNotifier notices;
};

}  // namespace pelquin::test
