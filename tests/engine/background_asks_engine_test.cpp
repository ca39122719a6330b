#include "shell_engine_fixture.h"
#include "test_web_server.h"

#include "tabs/page_dialog_box.h"
#include "tabs/page_dialog_queue.h"
#include "tabs/page_note_bar.h"
#include "tabs/tab_strip.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

namespace pelquin::test {
namespace {

QByteArray page(const QByteArray &title, const QByteArray &script)
{
    return TestWebServer::response("200 OK", "Content-Type: text/html\r\n",
                                   "<html><head><title>" + title + "</title></head><body>"
                                   "<script>" + script + "</script></body></html>");
}

// The engine waits inside its own call while a page asks: every tab stands still until the
// ask is answered. Only the selected tab may ask the user and wait.
class BackgroundAsks : public MainWindowEngine {
protected:
    void SetUp() override
    {
        MainWindowEngine::SetUp();
        ASSERT_TRUE(m_web.listen());
        m_web.route("/ask.htm", [](const auto &) {
            return page("asking", "alert('hello');"
                                  "var c = confirm('sure?');"
                                  "var p = prompt('name?', 'x');"
                                  "document.title = 'answered ' + c + ' ' + p;");
        });
        m_web.route("/tick.htm", [](const auto &) {
            return page("tick 0", "var n = 0;"
                                  "setInterval(function () { document.title = 'tick ' + ++n; }, "
                                  "200);");
        });
        m_web.route("/where.htm", [](const auto &) {
            return page("where", "navigator.geolocation.getCurrentPosition("
                                 "function () { document.title = 'here'; },"
                                 "function (e) { document.title = 'error ' + e.code; });");
        });
        m_web.route("/secret", [](const TestWebServer::Request &request) {
            if (request.authorization == "Basic " + QByteArray("alice:pw").toBase64())
                return page("Secret", "document.title = 'welcome alice';");
            return TestWebServer::response("401 Unauthorized",
                                           "Content-Type: text/html\r\n"
                                           "WWW-Authenticate: Basic realm=\"Staff only\"\r\n",
                                           "<html><head><title>denied</title></head></html>");
        });
    }

    BrowserControl &tab(int t) { return window->tabs().tab(t).browser(); }
    QString address(const char *path) const { return m_web.url(QString::fromLatin1(path)); }

    int ticks(int t)
    {
        const QString title = tab(t).locationName();
        return title.startsWith(QStringLiteral("tick ")) ? title.mid(5).toInt() : -1;
    }

    TestWebServer m_web;
};

TEST_F(BackgroundAsks, QuestionsAndLoginsOfBackgroundTabsAreAnsweredAtOnceAndOthersGoOn)
{
    start();
    window->tabStrip().select(1);
    tab(7).navigate(address("/tick.htm"));
    ASSERT_TRUE(waitFor([&] { return ticks(7) > 0; }, 20000));
    tab(3).navigate(address("/ask.htm"));
    tab(4).navigate(address("/secret"));
    // Nobody answers: the page hears Cancel at once and goes on.
    ASSERT_TRUE(waitFor([&] { return tab(3).locationName() ==
                                     QStringLiteral("answered false null"); }, 20000));
    ASSERT_TRUE(waitFor([&] { return tab(4).locationName() == QStringLiteral("denied"); },
                        20000));
    const int before = ticks(7);
    spin(2000);
    EXPECT_GT(ticks(7), before);  // the ticking page never stood still
    PageDialogQueue &asks = window->pageDialogs();
    EXPECT_EQ(asks.openBox(3), nullptr);
    ASSERT_NE(asks.note(3), nullptr);
    EXPECT_EQ(asks.note(3)->kind, PageNote::Kind::CancelledQuestion);
    EXPECT_TRUE(window->tabStrip().waitingMark(3));
    ASSERT_NE(asks.note(4), nullptr);
    EXPECT_EQ(asks.note(4)->kind, PageNote::Kind::CancelledLogin);

    // "Log in" asks outside the engine's call and loads the page with the answer.
    window->tabStrip().select(4);
    PageNoteBar *bar = asks.noteBar(4);
    ASSERT_NE(bar, nullptr);
    bar->actionButton()->click();
    PageDialogBox *login = asks.loginBox(4);
    ASSERT_NE(login, nullptr);
    login->valueField()->setText(QStringLiteral("alice"));
    login->passwordField()->setText(QStringLiteral("pw"));
    login->accept();
    ASSERT_TRUE(waitFor([&] { return tab(4).locationName() == QStringLiteral("welcome alice"); },
                        20000));
    EXPECT_EQ(asks.note(4), nullptr);
}

TEST_F(BackgroundAsks, TheSelectedTabsQuestionWaitsForTheUsersAnswer)
{
    start();
    window->tabStrip().select(3);
    // The page waits inside the engine's call: the user's click comes from the event loop.
    int answered = 0;
    QTimer user;
    user.setInterval(50);
    QObject::connect(&user, &QTimer::timeout, [&] {
        if (PageDialogBox *box = window->pageDialogs().openBox(3)) {
            if (box->valueField())
                box->valueField()->setText(QStringLiteral("Ann"));
            box->accept();
            ++answered;
        }
    });
    user.start();
    tab(3).navigate(address("/ask.htm"));
    ASSERT_TRUE(waitFor([&] { return tab(3).locationName() ==
                                     QStringLiteral("answered true Ann"); }, 20000));
    EXPECT_EQ(answered, 2);
    // The alert before them never waited: it is a note.
    ASSERT_NE(window->pageDialogs().note(3), nullptr);
    EXPECT_EQ(window->pageDialogs().note(3)->kind, PageNote::Kind::Alert);
}

TEST_F(BackgroundAsks, LocationAllowedWithoutAnySourceIsRefusedPromptly)
{
    start();
    window->tabStrip().select(3);
    QTimer user;  // allows whatever is asked
    user.setInterval(50);
    QObject::connect(&user, &QTimer::timeout, [&] {
        if (PageDialogBox *box = window->pageDialogs().openBox(3))
            box->accept();
    });
    user.start();
    tab(3).navigate(address("/where.htm"));
    // The page hears back: a position where there is a source, an error where there is none.
    ASSERT_TRUE(waitFor([&] {
        const QString title = tab(3).locationName();
        return title.startsWith(QStringLiteral("error")) || title == QStringLiteral("here");
    }, 20000)) << qPrintable(tab(3).locationName());
}

}  // namespace
}  // namespace pelquin::test
