#include "address/address_history.h"
#include "platform/basic_text.h"
#include "platform/clock.h"
#include "platform/error_report.h"
#include "platform/scripted_prompts.h"
#include "platform/settings_store.h"
#include "platform/text_file.h"
#include "shell/display_modes.h"
#include "shell/main_window.h"
#include "shell/session.h"
#include "sponsor/sponsor_server.h"
#include "sponsor/sponsor_site.h"
#include "support/temp_home.h"
#include "support/wait.h"
#include "tabs/button_bar.h"
#include "tabs/tab_strip.h"
#include "tabs/web_engine_factory.h"

#include <QUrlQuery>

#include <gtest/gtest.h>

using namespace pelquin;
using namespace pelquin::test;

namespace {

QByteArray page(const QString &title)
{
    return QStringLiteral("<html><head><title>%1</title></head><body><p>%1</p></body></html>")
        .arg(title)
        .toUtf8();
}

}  // namespace

// The real program on the offscreen platform against the built-in sponsor server.
class MainWindowEngine : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const char *path : {"/p3.htm", "/p4.htm", "/p5.htm"})
            server.addPage(QString::fromLatin1(path), [path](const QUrlQuery &) {
                return page(QString::fromLatin1(path).mid(1, 2));
            });
        ASSERT_TRUE(server.listen(0));
        sponsor = std::make_unique<SponsorSite>(QStringLiteral("pelquin.localhost:%1")
                                                    .arg(server.port()));
        factory = std::make_unique<WebEngineFactory>(home.folder() + "/engine-root", prompts);
        writeTextFile(home.file("STD.DAT"), {printNumber(0), printNumber(0), QString()});
        writeTextFile(home.file("Requests.Dat"), {QStringLiteral("kept.example")});
    }

    void TearDown() override
    {
        window.reset();
        factory.reset();
    }

    void start()
    {
        settings = std::make_unique<SettingsStore>(home.settingsPath());
        session = std::make_unique<Session>();
        session->appFolder = home.folder();
        window = std::make_unique<MainWindow>(MainWindowDeps{
            *session, prompts, errors, clock, *settings, *factory, *sponsor, QString(), {}});
        window->formLoad();
        window->show();
        ASSERT_TRUE(waitFor([&] { return session->activated; }, 5000));
    }

    QString url(const char *path) const { return sponsor->url(QString::fromLatin1(path)); }

    TempHome home;
    SponsorServer server;
    std::unique_ptr<SponsorSite> sponsor;
    ScriptedPrompts prompts;
    ErrorReporter errors{prompts};
    SystemClock clock;
    std::unique_ptr<WebEngineFactory> factory;
    std::unique_ptr<SettingsStore> settings;
    std::unique_ptr<Session> session;
    std::unique_ptr<MainWindow> window;
};

TEST_F(MainWindowEngine, StartsLoadsInStagesClosesAndRestores)
{
    QStringList lines;
    for (int t = 1; t <= 30; ++t) {
        const bool pauses = t == 3 || t == 4;
        lines << (t >= 3 && t <= 5 ? url(QStringLiteral("/p%1.htm").arg(t).toLatin1()) : "")
              << QString() << printNumber(pauses ? -1 : 0) << printNumber(0) << printNumber(0)
              << printNumber(0);
    }
    writeTextFile(home.file("Setup.set"), lines);

    // When a pausing tab starts, no tab started before it may still be loading.
    QStringList startOrder;
    bool othersLoadingAtPause = false;
    start();
    for (int t : {3, 4, 5}) {
        QObject::connect(&window->browsers().at(t), &BrowserControl::documentComplete,
                         window.get(), [&, t] { startOrder << QString::number(t); });
    }
    QObject::connect(&window->browsers().at(4), &BrowserControl::beforeNavigate, window.get(),
                     [&] {
                         for (int t : {1, 2, 3, 5})
                             othersLoadingAtPause |= session->tabs[t].loading;
                     });

    TabStrip &strip = window->tabStrip();
    ASSERT_TRUE(waitFor([&] {
        return strip.caption(1) == "Pelquin" && strip.caption(2) == "Search" &&
               strip.image(1) == 1 && strip.image(2) == 1 && startOrder.size() == 3;
    }, 20000)) << strip.caption(1).toStdString() << "/" << strip.caption(2).toStdString();
    EXPECT_EQ(startOrder.indexOf("3") < startOrder.indexOf("4"), true);
    EXPECT_FALSE(othersLoadingAtPause);
    EXPECT_EQ(strip.caption(3), QString());  // its start page's site shows its (empty) name
    EXPECT_EQ(window->browsers().at(2).locationName(), QStringLiteral("Search"));
    EXPECT_TRUE(prompts.messages().empty());

    session->history.append(QStringLiteral("typed.example"));
    window->displayModes().mnuhidebuttons_Click();
    EXPECT_TRUE(window->close());
    EXPECT_EQ(home.read("Requests.Dat"), QByteArray("kept.example\r\ntyped.example\r\n"));
    window.reset();
    EXPECT_EQ(SettingsStore(home.settingsPath()).value(setting::Toolbar), QStringLiteral("1"));

    start();
    EXPECT_EQ(session->history.requests(), (QStringList{"kept.example", "typed.example"}));
    EXPECT_TRUE(window->buttons().isHidden());
    EXPECT_TRUE(waitFor([&] { return window->tabStrip().caption(1) == "Pelquin"; }, 20000));
}
