#include "engine_fixture.h"
#include "test_web_server.h"

#include <QWebEnginePage>

namespace pelquin::test {
namespace {

// A page whose own script keeps counting: it must still count after a failed check.
const QByteArray kCountingPage =
    "<p id=words>good words</p><script>window.count = 0;"
    "setInterval(() => { window.count++; }, 50);</script>";

class FailedRefreshEngineTest : public EngineTest {
protected:
    void SetUp() override
    {
        EngineTest::SetUp();
        ASSERT_TRUE(m_server.listen());
        m_server.route("/board", [this](const auto &) {
            if (m_status == "200 OK")
                return TestWebServer::page("Board", kCountingPage);
            return TestWebServer::response(m_status, "Content-Type: text/html\r\n",
                                           "<html><body>trouble</body></html>");
        });
        QObject::connect(m_browser.get(), &BrowserControl::loadFailed, m_browser.get(),
                         [this](const QString &reason) { m_failures << reason; });
    }

    AddressAnswer check()
    {
        std::optional<AddressAnswer> told;
        m_browser->checkAddressAnswers(3000, [&](const AddressAnswer &a) { told = a; });
        EXPECT_TRUE(waitFor([&] { return told.has_value(); }, 8000));
        return told.value_or(AddressAnswer{false, QStringLiteral("never told")});
    }

    int count()
    {
        std::optional<int> value;
        enginePage()->runJavaScript(QStringLiteral("window.count"),
                                    [&](const QVariant &v) { value = v.toInt(); });
        EXPECT_TRUE(waitFor([&] { return value.has_value(); }, 5000));
        return value.value_or(-1);
    }

    TestWebServer m_server;
    QByteArray m_status = "200 OK";
    QStringList m_failures;
};

TEST_F(FailedRefreshEngineTest, AServerThatWentAwayIsFoundWithoutTouchingThePage)
{
    ASSERT_TRUE(load(m_server.url(QStringLiteral("/board"))));
    const int hits = m_server.hits("/board");
    const AddressAnswer fine = check();
    EXPECT_TRUE(fine.ok) << fine.reason.toStdString();
    EXPECT_EQ(m_server.hits("/board"), hits + 1);  // asked, as the page would ask it
    const int documents = m_events.documents.size();

    m_server.close();
    const AddressAnswer gone = check();
    EXPECT_FALSE(gone.ok);
    EXPECT_EQ(gone.reason, QStringLiteral("cannot connect to the server"));
    // The page stays: its words, and its script still running.
    EXPECT_EQ(m_events.documents.size(), documents);
    EXPECT_TRUE(bodyMarkup().contains(QStringLiteral("good words")));
    // A page out of sight counts slowly (the engine holds back its timers), but it counts.
    const int before = count();
    EXPECT_TRUE(waitFor([&] { return count() > before; }, 5000));
}

TEST_F(FailedRefreshEngineTest, AServerErrorFailsAndAClientErrorOnlyAfterAGoodPage)
{
    ASSERT_TRUE(load(m_server.url(QStringLiteral("/board"))));
    m_status = "503 Service Unavailable";
    const AddressAnswer down = check();
    EXPECT_FALSE(down.ok);
    EXPECT_EQ(down.reason, QStringLiteral("HTTP 503"));
    m_status = "404 Not Found";
    EXPECT_EQ(check().reason, QStringLiteral("HTTP 404"));

    // A page that came with a 404 is what the tab shows: another 404 is no failure.
    ASSERT_TRUE(load(m_server.url(QStringLiteral("/board"))));
    EXPECT_EQ(m_failures, QStringList{QStringLiteral("HTTP 404")});
    EXPECT_TRUE(check().ok);
}

TEST_F(FailedRefreshEngineTest, AnErrorPageHasNothingToKeep)
{
    ASSERT_TRUE(load(m_server.url(QStringLiteral("/board"))));
    m_server.close();
    ASSERT_TRUE(load(m_server.url(QStringLiteral("/board"))));
    ASSERT_EQ(m_failures.size(), 1);
    EXPECT_EQ(m_failures.front(), QStringLiteral("cannot connect to the server"));
    EXPECT_TRUE(check().ok);  // the reload goes ahead: it can only bring something better
}

TEST_F(FailedRefreshEngineTest, AShownPasswordFieldIsFoundAndAHiddenOneIsNot)
{
    m_server.route("/login", [](const auto &) {
        return TestWebServer::page("Login", "<form><input name=u><input type=password></form>");
    });
    m_server.route("/quiet", [](const auto &) {
        return TestWebServer::page(
            "Board", "<p>board</p><div style='display:none'><input type=password></div>");
    });
    const auto passwordField = [&] {
        std::optional<bool> shown;
        m_browser->checkPasswordField([&](bool yes) { shown = yes; });
        EXPECT_TRUE(waitFor([&] { return shown.has_value(); }, 5000));
        return shown.value_or(false);
    };
    ASSERT_TRUE(load(m_server.url(QStringLiteral("/quiet"))));
    EXPECT_FALSE(passwordField());
    ASSERT_TRUE(load(m_server.url(QStringLiteral("/login"))));
    EXPECT_TRUE(passwordField());
}

TEST_F(FailedRefreshEngineTest, AFrozenPageRunsNoScriptUntilItIsThawed)
{
    ASSERT_TRUE(load(m_server.url(QStringLiteral("/board"))));
    ASSERT_FALSE(enginePage()->isVisible());  // as a page in a tab not shown
    m_browser->setFrozen(true);
    EXPECT_TRUE(waitFor([&] {
        return enginePage()->lifecycleState() == QWebEnginePage::LifecycleState::Frozen;
    }, 3000));
    const int before = count();  // read in the program's own world, which freezing spares
    spin(2500);
    EXPECT_EQ(count(), before);
    m_browser->setFrozen(false);
    EXPECT_TRUE(waitFor([&] { return count() > before; }, 5000));
}

}  // namespace
}  // namespace pelquin::test
