#include "shell_engine_fixture.h"
#include "test_web_server.h"

#include "tabs/page_dialog_box.h"
#include "tabs/page_dialog_queue.h"
#include "tabs/tab_strip.h"

namespace pelquin::test {
namespace {

// A page that asks to show notifications as it opens and puts the answer in its title.
QByteArray askingPage()
{
    return TestWebServer::response(
        "200 OK", "Content-Type: text/html\r\n",
        "<html><head><title>asking</title></head><body><script>"
        "Notification.requestPermission().then(function (p) { document.title = p; });"
        "</script></body></html>");
}

class PermissionEngine : public MainWindowEngine {
protected:
    void SetUp() override
    {
        MainWindowEngine::SetUp();
        ASSERT_TRUE(m_web.listen());
        m_web.route("/ask.htm", [](const auto &) { return askingPage(); });
    }

    // The question tab t shows now, once it has come.
    PageDialogBox *question(int tab)
    {
        waitFor([&] { return window->pageDialogs().openBox(window->tabs().tab(tab)) != nullptr; }, 20000);
        return window->pageDialogs().openBox(window->tabs().tab(tab));
    }

    bool titled(BrowserControl &browser, const QString &title)
    {
        return waitFor([&] { return browser.locationName() == title; }, 20000);
    }

    // The page loaded again (its address ends in "?again") has its answer.
    bool answeredAgain(BrowserControl &browser, const QString &answer)
    {
        return waitFor([&] {
            return browser.locationUrl().endsWith(QStringLiteral("?again")) &&
                   browser.locationName() == answer;
        }, 20000);
    }

    QString address(const QString &host) const
    {
        return QStringLiteral("http://%1:%2/ask.htm").arg(host).arg(m_web.port());
    }

    TestWebServer m_web;
};

TEST_F(PermissionEngine, TheTabsQuestionNamesTheSiteAndItsAnswerIsKeptForThatSite)
{
    start();
    window->tabStrip().select(3);
    BrowserControl &three = window->tabs().tab(3).browser();
    three.navigate(address(QStringLiteral("127.0.0.1")));
    PageDialogBox *allow = question(3);
    ASSERT_NE(allow, nullptr);
    EXPECT_EQ(allow->windowTitle(), PageDialogBox::titleFor(window->tabs().tab(3), QStringLiteral("127.0.0.1")));
    EXPECT_EQ(PageDialogBox::messageFor(allow->dialog()),
              QStringLiteral("127.0.0.1 wants to show notifications."));
    allow->accept();
    ASSERT_TRUE(titled(three, QStringLiteral("granted")));

    // The same site again: answered without a question.
    three.navigate(address(QStringLiteral("127.0.0.1")) + QStringLiteral("?again"));
    ASSERT_TRUE(answeredAgain(three, QStringLiteral("granted")));
    EXPECT_EQ(window->pageDialogs().openBox(window->tabs().tab(3)), nullptr);

    // Another site asks for itself; Deny answers the page.
    three.navigate(address(QStringLiteral("localhost")));
    PageDialogBox *deny = question(3);
    ASSERT_NE(deny, nullptr);
    EXPECT_EQ(deny->dialog().site, QStringLiteral("localhost"));
    deny->reject();
    ASSERT_TRUE(titled(three, QStringLiteral("denied")));
    three.navigate(address(QStringLiteral("localhost")) + QStringLiteral("?again"));
    ASSERT_TRUE(answeredAgain(three, QStringLiteral("denied")));
    EXPECT_EQ(window->pageDialogs().openBox(window->tabs().tab(3)), nullptr);
}

}  // namespace
}  // namespace pelquin::test
