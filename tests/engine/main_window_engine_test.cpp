#include "engine/shell_engine_fixture.h"
#include "shell/display_modes.h"
#include "shell/button_bar.h"
#include "tabs/tab_strip.h"

using namespace pelquin;
using namespace pelquin::test;

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
        QObject::connect(&window->tabs().tab(t).browser(), &BrowserControl::documentComplete,
                         window.get(), [&, t] { startOrder << QString::number(t); });
    }
    QObject::connect(&window->tabs().tab(4).browser(), &BrowserControl::beforeNavigate, window.get(),
                     [&] {
                         for (int t : {1, 2, 3, 5})
                             othersLoadingAtPause |= window->tabs().tab(t).state().loading;
                     });

    TabStrip &strip = window->tabStrip();
    ASSERT_TRUE(waitFor([&] {
        return strip.caption(1) == "Pelquin" && strip.caption(2) == "Search" &&
               strip.picture(1) == TabPicture::World && strip.picture(2) == TabPicture::World && startOrder.size() == 3;
    }, 20000)) << strip.caption(1).toStdString() << "/" << strip.caption(2).toStdString();
    EXPECT_EQ(startOrder.indexOf("3") < startOrder.indexOf("4"), true);
    EXPECT_FALSE(othersLoadingAtPause);
    EXPECT_EQ(strip.caption(3), QString());  // its start page's site shows its (empty) name
    EXPECT_EQ(window->tabs().tab(2).browser().locationName(), QStringLiteral("Search"));
    EXPECT_TRUE(prompts.messages().empty());

    session->history.append(QStringLiteral("typed.example"));
    window->displayModes().toggleButtonBar();
    EXPECT_TRUE(window->close());
    EXPECT_EQ(home.read("Requests.Dat"), QByteArray("kept.example\r\ntyped.example\r\n"));
    window.reset();
    EXPECT_EQ(SettingsStore(home.settingsPath()).value(setting::Toolbar), QStringLiteral("1"));

    start();
    EXPECT_EQ(session->history.requests(), (QStringList{"kept.example", "typed.example"}));
    EXPECT_TRUE(window->buttons().isHidden());
    EXPECT_TRUE(waitFor([&] { return window->tabStrip().caption(1) == "Pelquin"; }, 20000));
}
