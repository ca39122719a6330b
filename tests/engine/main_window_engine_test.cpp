#include "engine/shell_engine_fixture.h"
#include "shell/display_modes.h"
#include "shell/button_bar.h"
#include "tabs/tab_strip.h"

#include <QRegularExpression>

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

TEST_F(MainWindowEngine, HiddenTabsPageLaysOutAtTheSizeItIsShownAt)
{
    // The size at load and the size now, as a dashboard that sizes itself once would read them.
    server.addPage(QStringLiteral("/size.htm"), [](const QUrlQuery &) {
        return QByteArrayLiteral(
            "<html><head><title>-</title><script>"
            "let atLoad = '';"
            "const now = () => innerWidth + 'x' + innerHeight;"
            "const say = () => document.title = atLoad + ' ' + now();"
            "addEventListener('load', () => {"
            "  atLoad = now() + ' ' + document.visibilityState; say(); });"
            "addEventListener('resize', say);"
            "</script></head><body><p>size</p></body></html>");
    });
    QStringList lines;
    for (int t = 1; t <= 30; ++t)
        lines << (t == 3 ? url("/size.htm") : QString()) << QString() << printNumber(0)
              << printNumber(0) << printNumber(0) << printNumber(0);
    writeTextFile(home.file("Setup.set"), lines);
    // A window placed as it was left: its size is settled before the pages load.
    SettingsStore stored(home.settingsPath());
    stored.setValue(setting::WindowState, QStringLiteral("0"));
    stored.setValue(setting::Width, QStringLiteral("10500"));
    stored.setValue(setting::Height, QStringLiteral("8100"));
    stored.sync();
    start();
    BrowserControl &browser = window->tabs().tab(3).browser();
    const QRegularExpression sizes(QStringLiteral("^(\\d+x\\d+) (\\w+) (\\d+x\\d+)$"));
    ASSERT_TRUE(waitFor([&] { return sizes.match(browser.locationName()).hasMatch(); }, 20000))
        << browser.locationName().toStdString();
    spin(300);  // the window's own showing has settled
    const QRegularExpressionMatch hidden = sizes.match(browser.locationName());
    EXPECT_EQ(hidden.captured(2), QStringLiteral("hidden"));
    EXPECT_FALSE(window->tabs().tab(3).shownOnce);

    window->tabStrip().select(3);
    QWidget *page = window->tabs().tab(3).page();
    const QString shownSize = QStringLiteral("%1x%2").arg(page->width()).arg(page->height());
    spin(1000);  // a page given another size now would hear of it
    const QRegularExpressionMatch shown = sizes.match(browser.locationName());
    ASSERT_TRUE(shown.hasMatch()) << browser.locationName().toStdString();
    EXPECT_EQ(shown.captured(3), shownSize);
    EXPECT_EQ(hidden.captured(1), shownSize);
    EXPECT_EQ(hidden.captured(3), shownSize);
}
