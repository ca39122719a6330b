#include "tabs/tab_collection.h"
#include "engine/shell_engine_fixture.h"
#include "commands/commands.h"
#include "shell/button_bar.h"
#include "tabs/tab_strip.h"
#include "tabs/timers.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTest>

using namespace pelquin;
using namespace pelquin::test;

class BrowsingEngine : public MainWindowEngine {
protected:
    void SetUp() override
    {
        MainWindowEngine::SetUp();
        writeTextFile(home.file("Requests.Dat"), {url("/p6.htm").mid(7)});
        start();
        ASSERT_TRUE(waitFor([&] { return window->tabStrip().picture(1) == TabPicture::World; }, 20000));
    }
    TabStrip &strip() { return window->tabStrip(); }
    bool loaded(int tab, const QString &address)
    {
        return waitFor([&] {
            return window->tabs().tab(tab).browser().locationUrl() == address && strip().picture(tab) == TabPicture::World;
        }, 15000);
    }
};

TEST_F(BrowsingEngine, ATypedAddressIsCompletedAndEnterLoadsIt)
{
    strip().select(3);
    QComboBox *combo = &window->tabs().tab(3).addressBox();
    combo->setFocus();
    QTest::keyClicks(combo, QStringLiteral("PELQUIN.LOC"));
    EXPECT_EQ(combo->currentText(), QStringLiteral("PELQUIN.LOC") + url("/p6.htm").mid(18));
    QTest::keyClick(combo, Qt::Key_Return);
    EXPECT_TRUE(loaded(3, url("/p6.htm")));
    EXPECT_EQ(window->tabs().tab(3).browser().locationName(), QStringLiteral("p6"));
    EXPECT_EQ(session->history.size(), 1);  // the same address, another case
}

TEST_F(BrowsingEngine, BackAndForwardMoveThroughRealPagesAndStopAtTheEnds)
{
    strip().select(4);
    BrowserControl &browser = window->tabs().tab(4).browser();
    browser.navigate(url("/p6.htm"));
    ASSERT_TRUE(loaded(4, url("/p6.htm")));
    browser.navigate(url("/p7.htm"));
    ASSERT_TRUE(loaded(4, url("/p7.htm")));
    EXPECT_TRUE(waitFor([&] { return window->buttons().enabled(1); }));
    EXPECT_FALSE(window->buttons().enabled(2));

    window->commands().navigation().goBack();
    ASSERT_TRUE(loaded(4, url("/p6.htm")));
    EXPECT_TRUE(waitFor([&] { return window->buttons().enabled(2); }));
    EXPECT_FALSE(window->buttons().enabled(1));
    window->commands().navigation().goBack();
    EXPECT_FALSE(window->buttons().enabled(1));
    window->commands().navigation().goForward();
    ASSERT_TRUE(loaded(4, url("/p7.htm")));
    EXPECT_TRUE(waitFor([&] { return !window->buttons().enabled(2); }));
    EXPECT_TRUE(prompts.messages().empty());
}

TEST_F(BrowsingEngine, RefreshPutsTheWorldPictureBack)
{
    strip().select(1);
    window->commands().navigation().refresh();
    EXPECT_EQ(strip().picture(1), TabPicture::None);
    EXPECT_TRUE(waitFor([&] { return strip().picture(1) == TabPicture::World; }, 15000));
    EXPECT_FALSE(window->tabs().tab(1).state().refreshing);
}

TEST_F(BrowsingEngine, ATabThatRefreshesEveryMinuteIsReloadedWhenTheTimeHasCome)
{
    session->settings[5].autoRefresh = true;
    session->settings[5].refreshMinutes = 1;
    window->tabs().tab(5).browser().navigate(url("/p7.htm"));
    ASSERT_TRUE(loaded(5, url("/p7.htm")));
    int completions = 0;
    QObject::connect(&window->tabs().tab(5).browser(), &BrowserControl::documentComplete,
                     window.get(), [&] { ++completions; });
    window->timers().onRefreshTick();
    spin(300);
    EXPECT_EQ(completions, 0);
    clock.advance(61);
    window->timers().onRefreshTick();
    // The page is first asked whether it holds typed words; it answers a moment later.
    EXPECT_TRUE(waitFor([&] { return strip().picture(5) == TabPicture::None || completions == 1; }, 5000));
    EXPECT_TRUE(waitFor([&] { return completions == 1 && strip().picture(5) == TabPicture::World; }, 15000));
}

TEST_F(BrowsingEngine, TextIsFoundOnTheRealPage)
{
    bool answered = false;
    bool found = false;
    BrowserControl &browser = window->tabs().tab(1).browser();
    browser.findText(QStringLiteral("sponsors"), false, [&](const FindResult &f) {
        found = f.found();
        answered = true;
    });
    ASSERT_TRUE(waitFor([&] { return answered; }, 5000));
    EXPECT_TRUE(found);
    answered = false;
    browser.findText(QStringLiteral("no such words here"), false, [&](const FindResult &f) {
        found = f.found();
        answered = true;
    });
    ASSERT_TRUE(waitFor([&] { return answered; }, 5000));
    EXPECT_FALSE(found);
}
