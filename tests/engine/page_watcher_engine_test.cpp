#include "engine_fixture.h"

#include "engine/page_context_menu.h"

#include <QAction>
#include <QMenu>
#include <QTest>
#include <QUrlQuery>
#include <QWebEngineView>
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

TEST_F(PageWatcherTest, ASelectorThePageDoesNotTakeIsToldAndReadsAsEmpty)
{
    QStringList refused;
    QObject::connect(m_browser.get(), &BrowserControl::watchedPartRefused, m_browser.get(),
                     [&](const QString &region) { refused << region; });
    m_browser->watchText(QStringLiteral("div:bogus(1)"));
    ASSERT_TRUE(load(s_site->host() + QStringLiteral("/live.htm")));
    EXPECT_EQ(watchedText(), QString());
    EXPECT_TRUE(refused.contains(QStringLiteral("div:bogus(1)")));
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

TEST_F(PageWatcherTest, ThePageMenuPicksTheBlockUnderThePointerWiderAndNarrower)
{
    s_server->addPage(QStringLiteral("/pick.htm"), [](const QUrlQuery &) {
        return QByteArrayLiteral("<html><body style='margin:0'><div id='queue'>"
                                 "<p style='margin:0;font-size:40px'>Queue: <b>3</b></p>"
                                 "<p>Bob on call</p></div></body></html>");
    });
    auto *view = qobject_cast<QWebEngineView *>(m_browser->widget());
    view->show();
    ASSERT_TRUE(load(s_site->host() + QStringLiteral("/pick.htm")));
    int asked = 0;
    QObject::connect(m_browser.get(), &BrowserControl::watchPartAsked, m_browser.get(),
                     [&] { ++asked; });
    auto *menus = view->findChild<PageContextMenu *>();
    ASSERT_TRUE(waitFor([&] { return view->focusProxy() != nullptr; }, 10000));
    m_browser->setWatchRuleApplies(true);
    ASSERT_TRUE(waitFor([&] {
        QTest::mouseClick(view->focusProxy(), Qt::RightButton, {}, QPoint(20, 20));
        spin(200);
        return menus->lastMenu() != nullptr;
    }, 20000));
    auto *watch = menus->lastMenu()->findChild<QAction *>(QStringLiteral("watchPartItem"));
    ASSERT_NE(watch, nullptr);
    EXPECT_NE(menus->lastMenu()->findChild<QAction *>(QStringLiteral("stopWatchingItem")), nullptr);
    watch->trigger();
    menus->lastMenu()->close();
    EXPECT_EQ(asked, 1);

    const auto pick = [&](PickStep step) {
        QString picked = QStringLiteral("-");
        m_browser->pickPart(step, [&](const QString &selector, const QString &) { picked = selector; });
        EXPECT_TRUE(waitFor([&] { return picked != QStringLiteral("-"); }, 5000));
        return picked;
    };
    EXPECT_EQ(pick(PickStep::Start), QStringLiteral("#queue > p:nth-of-type(1)"));
    EXPECT_EQ(inPage(QStringLiteral("document.querySelectorAll('div').length")).toInt(), 2);
    EXPECT_EQ(pick(PickStep::Wider), QStringLiteral("#queue"));
    EXPECT_EQ(pick(PickStep::Narrower), QStringLiteral("#queue > p:nth-of-type(1)"));
    m_browser->endPicking();
    EXPECT_TRUE(waitFor([&] {
        return inPage(QStringLiteral("document.querySelectorAll('div').length")).toInt() == 1;
    }, 5000));  // the outline is gone
}

TEST_F(PageWatcherTest, AddedWordsAreMarkedForAMomentWithoutChangingThePageText)
{
    ASSERT_TRUE(load(s_site->host() + QStringLiteral("/live.htm")));
    const QString text = inPage(QStringLiteral("document.documentElement.innerText")).toString();
    m_browser->highlightAdded({QStringLiteral("Queue: 3"), QStringLiteral("nowhere")});
    EXPECT_TRUE(waitFor([&] {
        return inPage(QStringLiteral("document.querySelectorAll('div').length")).toInt() > 3;
    }, 3000));
    EXPECT_EQ(inPage(QStringLiteral("document.documentElement.innerText")).toString(), text);
    EXPECT_TRUE(waitFor([&] {
        return inPage(QStringLiteral("document.querySelectorAll('div').length")).toInt() == 2;
    }, 8000));  // gone again
}

}  // namespace
}  // namespace pelquin::test
