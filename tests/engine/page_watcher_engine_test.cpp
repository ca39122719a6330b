#include "engine_fixture.h"

#include <QUrlQuery>
#include <QWebEngineScript>

namespace pelquin::test {
namespace {

// A page whose script changes its words without a reload, when its own code is called.
const QByteArray kLivePage = QByteArrayLiteral(
    "<html><body><div id=\"queue\">Queue: 3</div><div id=\"clock\">10:00</div>"
    "<script>function setText(id, text) { document.getElementById(id).textContent = text; }"
    "</script></body></html>");

class PageWatcherTest : public EngineTest {
protected:
    void SetUp() override
    {
        EngineTest::SetUp();
        s_server->addPage(QStringLiteral("/live.htm"),
                          [](const QUrlQuery &) { return kLivePage; });
        QObject::connect(m_browser.get(), &BrowserControl::watchedTextMoved, m_browser.get(),
                         [this] { ++m_moves; });
    }
    // Runs the page's own code in the page's own world.
    QVariant inPage(const QString &script)
    {
        QVariant result;
        bool done = false;
        enginePage()->runJavaScript(script, QWebEngineScript::MainWorld,
                                    [&](const QVariant &value) {
                                        result = value;
                                        done = true;
                                    });
        EXPECT_TRUE(waitFor([&] { return done; }, 5000));
        return result;
    }
    QString watchedText()
    {
        QString text;
        bool done = false;
        m_browser->readWatchedText([&](const QString &read) {
            text = read;
            done = true;
        });
        EXPECT_TRUE(waitFor([&] { return done; }, 10000));
        return text;
    }
    int m_moves = 0;
};

TEST_F(PageWatcherTest, AChangeInsideTheRegionIsToldWithoutAReloadAndOneOutsideIsNot)
{
    m_browser->watchText(QStringLiteral("#queue"));
    ASSERT_TRUE(load(s_site->host() + QStringLiteral("/live.htm")));
    EXPECT_EQ(watchedText(), QStringLiteral("Queue: 3"));
    inPage(QStringLiteral("setText('clock', '10:01')"));
    EXPECT_FALSE(waitFor([&] { return m_moves > 0; }, 3500));  // the clock is not watched
    inPage(QStringLiteral("setText('queue', 'Queue: 4')"));
    EXPECT_TRUE(waitFor([&] { return m_moves == 1; }, 6000));
    EXPECT_EQ(watchedText(), QStringLiteral("Queue: 4"));
    EXPECT_EQ(m_events.documents.size(), 1);  // no reload
}

TEST_F(PageWatcherTest, ThePageCanNeitherSeeTheWatcherNorFakeItsWord)
{
    ASSERT_TRUE(load(s_site->host() + QStringLiteral("/live.htm")));
    EXPECT_EQ(inPage(QStringLiteral("typeof window.__pelquinWatch")).toString(),
              QStringLiteral("undefined"));
    // A page that writes what it guesses the watcher says is heard as any console line.
    inPage(QStringLiteral("console.debug('pelquin-watch-'); console.log('changed')"));
    EXPECT_FALSE(waitFor([&] { return m_moves > 0; }, 1500));
    // The whole text is watched without a region.
    inPage(QStringLiteral("setText('clock', '10:02')"));
    EXPECT_TRUE(waitFor([&] { return m_moves == 1; }, 6000));
}

}  // namespace
}  // namespace pelquin::test
