#pragma once

#include "core/address_history.h"
#include "desktop/history_folder.h"
#include "platform/basic_text.h"
#include "platform/clock.h"
#include "platform/error_report.h"
#include "platform/scripted_prompts.h"
#include "platform/settings_store.h"
#include "platform/text_file.h"
#include "shell/main_window.h"
#include "core/session.h"
#include "engine/sponsor_server.h"
#include "sponsor/sponsor_site.h"
#include "support/temp_home.h"
#include "support/wait.h"
#include "engine/web_engine_factory.h"

#include <QDir>
#include <QUrlQuery>

#include <gtest/gtest.h>

namespace pelquin::test {

inline QByteArray titledPage(const QString &title)
{
    return QStringLiteral("<html><head><title>%1</title></head><body><p>%1</p></body></html>")
        .arg(title)
        .toUtf8();
}

// The real program on the offscreen platform against the built-in sponsor server.
class MainWindowEngine : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const char *path : {"/p3.htm", "/p4.htm", "/p5.htm", "/p6.htm", "/p7.htm"})
            server.addPage(QString::fromLatin1(path), [path](const QUrlQuery &) {
                return titledPage(QString::fromLatin1(path).mid(1, 2));
            });
        ASSERT_TRUE(server.listen(0));
        sponsor = std::make_unique<SponsorSite>(QStringLiteral("pelquin.localhost:%1")
                                                    .arg(server.port()));
        // Words typed in a test are searched for on the local sponsor server, never online.
        SettingsStore(home.settingsPath())
            .setValue(setting::SearchTemplate,
                      QStringLiteral("http://pelquin.localhost:%1/sc?q=%s").arg(server.port()));
        factory = std::make_unique<WebEngineFactory>(home.folder() + "/engine-root", prompts);
        writeTextFile(home.file("STD.DAT"), {printNumber(0), printNumber(0), QString()});
        writeTextFile(home.file("Requests.Dat"), {QStringLiteral("kept.example")});
    }

    void TearDown() override
    {
        window.reset();
        factory.reset();
        // The engine's network thread may still write into its folder for a moment.
        waitFor([&] { return QDir(home.folder()).removeRecursively(); }, 3000);
        spin(300);
        QDir(home.folder()).removeRecursively();
    }

    void start()
    {
        settings = std::make_unique<SettingsStore>(home.settingsPath());
        session = std::make_unique<Session>();
        session->appFolder = home.folder();
        history = std::make_unique<HistoryFolder>(home.file("History"));
        factory->setBrowsingRecords(history.get());
        window = std::make_unique<MainWindow>(MainWindowDeps{
            *session, prompts, errors, clock, *settings, *factory, *sponsor, QString(),
            *history, MailLookup{}, [](const QString &) { return false; }});
        window->startUp();
        window->show();
        ASSERT_TRUE(waitFor([&] { return window->activated(); }, 5000));
    }

    QString url(const char *path) const { return sponsor->url(QString::fromLatin1(path)); }

    TempHome home;
    SponsorServer server;
    std::unique_ptr<SponsorSite> sponsor;
    ScriptedPrompts prompts;
    ErrorReporter errors{prompts};
    ManualClock clock;
    std::unique_ptr<WebEngineFactory> factory;
    std::unique_ptr<SettingsStore> settings;
    std::unique_ptr<Session> session;
    std::unique_ptr<HistoryFolder> history;
    std::unique_ptr<MainWindow> window;
};

}  // namespace pelquin::test
