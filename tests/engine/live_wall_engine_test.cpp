#include "engine/shell_engine_fixture.h"
#include "commands/commands.h"
#include "watch/tab_watching.h"
#include "tabs/tab_collection.h"
#include "tabs/tab_strip.h"
#include "watch/tab_wall.h"

#include <QFileInfo>
#include <QTabBar>
#include <QTemporaryDir>

using namespace pelquin;
using namespace pelquin::test;

namespace {

// A page whose markup differs at every load (a nonce, an attribute, white space) while its
// words stay, until the test changes them.
struct LivePage {
    int loads = 0;
    QString words = QStringLiteral("Queue: 4 tickets");

    QByteArray next()
    {
        ++loads;
        return QStringLiteral("<html><head><title>Live</title>"
                              "<script nonce=\"n%1\">var seen = %1;</script></head>"
                              "<body data-load=\"%1\"><p class=\"c%1\">%2%3</p>"
                              "<p style=\"display:none\">hidden %1</p></body></html>")
            .arg(loads)
            .arg(words)
            .arg(QString(loads % 4, QLatin1Char(' ')))
            .toUtf8();
    }
};

}  // namespace

class LiveWallEngine : public MainWindowEngine {
protected:
    void SetUp() override
    {
        server.addPage(QStringLiteral("/live.htm"), [this](const QUrlQuery &) {
            return live.next();
        });
        server.addPage(QStringLiteral("/red.htm"), [](const QUrlQuery &) {
            return QByteArrayLiteral("<html><body style=\"background:#ff0000\">red</body></html>");
        });
        MainWindowEngine::SetUp();
        start();
    }

    bool completes(int tab, int times)
    {
        return waitFor([&] { return completions[tab] >= times; }, 15000);
    }

    void follow(int tab)
    {
        QObject::connect(&window->tabs().tab(tab), &BrowserTab::pageCompleted, window.get(),
                         [this, tab] { ++completions[tab]; });
    }

    LivePage live;
    QMap<int, int> completions;
};

TEST_F(LiveWallEngine, OnlyAChangeOfTheVisibleWordsMarksABackgroundTab)
{
    TabStrip &strip = window->tabStrip();
    strip.select(1);
    follow(5);
    BrowserControl &browser = window->tabs().tab(5).browser();
    browser.navigate(url("/live.htm"));
    ASSERT_TRUE(completes(5, 1));
    for (int reload = 2; reload <= 3; ++reload) {
        browser.refresh();
        ASSERT_TRUE(completes(5, reload));
        spin(300);  // the page's words are read after it completes
        EXPECT_FALSE(strip.changedMark(5)) << "markup-only load " << reload;
    }
    live.words = QStringLiteral("Queue: 5 tickets");
    browser.refresh();
    ASSERT_TRUE(completes(5, 4));
    EXPECT_TRUE(waitFor([&] { return strip.changedMark(5); }, 5000));
    EXPECT_TRUE(strip.bar()->tabToolTip(4).contains(QStringLiteral("Changed since you last")));
}

TEST_F(LiveWallEngine, TheWallShowsAPictureOfAPageShownBeforeAndTheWordsOfOneNeverShown)
{
    TabStrip &strip = window->tabStrip();
    follow(6);
    follow(7);
    window->tabs().tab(6).browser().navigate(url("/red.htm"));
    window->tabs().tab(7).browser().navigate(url("/red.htm"));
    ASSERT_TRUE(completes(6, 1));
    ASSERT_TRUE(completes(7, 1));
    strip.select(6);  // looked at, then left: its last picture is on the wall
    spin(500);
    strip.select(1);
    TabWall &wall = window->watching().wall();
    window->commands().run(Command::WallOfTabs, CommandSource::Key);
    ASSERT_TRUE(wall.isOpen());
    const auto reddish = [&] {
        const QImage picture = wall.tile(window->tabs().tab(6))->picture();
        if (picture.isNull())
            return false;
        const QColor middle = picture.pixelColor(picture.width() / 2, picture.height() / 2);
        return middle.red() > 200 && middle.green() < 60 && middle.blue() < 60;
    };
    EXPECT_TRUE(waitFor(reddish, 15000));
    // Tab 7 was never shown: never drawn for a picture, its words are on the tile.
    EXPECT_TRUE(waitFor([&] { return wall.tile(window->tabs().tab(7))->pageText() == QStringLiteral("red"); },
                        5000));
    EXPECT_TRUE(wall.tile(window->tabs().tab(7))->picture().isNull());
    EXPECT_FALSE(window->tabs().tab(6).page()->isVisible());
    wall.close();
    EXPECT_TRUE(window->tabs().tab(1).page()->isVisible());
    EXPECT_FALSE(window->tabs().tab(6).page()->isVisible());
}

TEST(PrivateEngine, APrivateRunsEngineKeepsNothingOnDisk)
{
    QTemporaryDir folder;
    ScriptedPrompts prompts;
    WebEngineFactory factory(folder.path(), prompts, WebEngineFactory::Storage::OffTheRecord);
    EXPECT_TRUE(factory.offTheRecord());
    EXPECT_FALSE(QFileInfo::exists(folder.filePath(QStringLiteral("engine"))));
}
