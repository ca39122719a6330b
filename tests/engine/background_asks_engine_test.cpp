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

// Answers "Log in" on tab t's note bar with alice's name and password.
void logInFromTheNote(MainWindow &window, int t)
{
    PageDialogQueue &asks = window.pageDialogs();
    window.tabStrip().select(t);
    PageNoteBar *bar = asks.noteBar(window.tabs().tab(t));
    ASSERT_NE(bar, nullptr);
    bar->actionButton()->click();
    PageDialogBox *login = asks.loginBox(window.tabs().tab(t));
    ASSERT_NE(login, nullptr);
    login->valueField()->setText(QStringLiteral("alice"));
    login->passwordField()->setText(QStringLiteral("pw"));
    login->accept();
}

const QByteArray kAlice = "Basic " + QByteArray("alice:pw").toBase64();

QByteArray askForLogin()
{
    return TestWebServer::response("401 Unauthorized",
                                   "Content-Type: text/html\r\n"
                                   "WWW-Authenticate: Basic realm=\"Staff only\"\r\n",
                                   "<html><head><title>denied</title></head></html>");
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
    EXPECT_EQ(asks.openBox(window->tabs().tab(3)), nullptr);
    ASSERT_NE(asks.note(window->tabs().tab(3)), nullptr);
    EXPECT_EQ(asks.note(window->tabs().tab(3))->kind, PageNote::Kind::CancelledQuestion);
    EXPECT_TRUE(window->tabStrip().waitingMark(3));
    ASSERT_NE(asks.note(window->tabs().tab(4)), nullptr);
    EXPECT_EQ(asks.note(window->tabs().tab(4))->kind, PageNote::Kind::CancelledLogin);

    // "Log in" asks outside the engine's call and loads the page with the answer.
    window->tabStrip().select(4);
    PageNoteBar *bar = asks.noteBar(window->tabs().tab(4));
    ASSERT_NE(bar, nullptr);
    bar->actionButton()->click();
    PageDialogBox *login = asks.loginBox(window->tabs().tab(4));
    ASSERT_NE(login, nullptr);
    login->valueField()->setText(QStringLiteral("alice"));
    login->passwordField()->setText(QStringLiteral("pw"));
    login->accept();
    ASSERT_TRUE(waitFor([&] { return tab(4).locationName() == QStringLiteral("welcome alice"); },
                        20000));
    EXPECT_EQ(asks.note(window->tabs().tab(4)), nullptr);
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
        if (PageDialogBox *box = window->pageDialogs().openBox(window->tabs().tab(3))) {
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
    ASSERT_NE(window->pageDialogs().note(window->tabs().tab(3)), nullptr);
    EXPECT_EQ(window->pageDialogs().note(window->tabs().tab(3))->kind, PageNote::Kind::Alert);
}

TEST_F(BackgroundAsks, LocationAllowedWithoutAnySourceIsRefusedPromptly)
{
    start();
    window->tabStrip().select(3);
    QTimer user;  // allows whatever is asked
    user.setInterval(50);
    QObject::connect(&user, &QTimer::timeout, [&] {
        if (PageDialogBox *box = window->pageDialogs().openBox(window->tabs().tab(3)))
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

TEST_F(BackgroundAsks, ALoginGivenForOnePortIsNeverSentToAnother)
{
    TestWebServer other;
    ASSERT_TRUE(other.listen());
    bool redirects = false;
    m_web.route("/door", [&](const TestWebServer::Request &request) {
        if (redirects)
            return TestWebServer::response(
                "302 Found", "Location: " + other.url(QStringLiteral("/door")).toUtf8() + "\r\n",
                QByteArray());
        return request.authorization == kAlice ? page("in", "") : askForLogin();
    });
    QList<QByteArray> sentToOther;
    other.route("/door", [&](const TestWebServer::Request &request) {
        sentToOther << request.authorization;
        return request.authorization.isEmpty() ? askForLogin() : page("other port", "");
    });
    start();
    window->tabStrip().select(1);
    tab(4).navigate(address("/door"));
    PageDialogQueue &asks = window->pageDialogs();
    ASSERT_TRUE(waitFor([&] { return asks.note(window->tabs().tab(4)) != nullptr; }, 20000));
    // Meanwhile the first port sends its visitors to another one, which asks too.
    redirects = true;
    // The selected tab's login waits inside the engine's call: the user answers from there.
    bool asked = false;
    QTimer user;
    user.setInterval(50);
    QObject::connect(&user, &QTimer::timeout, [&] {
        if (PageDialogBox *box = asks.openBox(window->tabs().tab(4))) {
            asked = true;
            box->reject();
        }
    });
    user.start();
    logInFromTheNote(*window, 4);
    ASSERT_TRUE(waitFor([&] { return asked || !sentToOther.isEmpty() &&
                                              !sentToOther.last().isEmpty(); }, 20000));
    EXPECT_TRUE(asked) << "the other port's login was answered without a question";
    EXPECT_EQ(sentToOther, QList<QByteArray>{QByteArray()});
}

TEST_F(BackgroundAsks, APageBehindALoginGivenFromTheNoteIsMarkedWhenItsWordsChange)
{
    // A status page as real ones are: the page comes first, its words a moment later.
    int loads = 0;
    m_web.route("/status", [&](const TestWebServer::Request &request) {
        if (request.authorization != kAlice)
            return askForLogin();
        return TestWebServer::page(
            "Status", "<p id=s>Loading...</p><script>setTimeout(function () {"
                      "fetch('/status.json').then(function (r) { return r.text(); })"
                      ".then(function (t) { document.getElementById('s').textContent = t; });"
                      "}, 300);</script>");
    });
    m_web.route("/status.json", [&](const TestWebServer::Request &request) {
        if (request.authorization != kAlice)
            return askForLogin();
        ++loads;
        const QByteArray state = loads % 2 ? "operational" : "degraded";
        return TestWebServer::response("200 OK", "Content-Type: text/plain\r\n",
                                       "Last Updated 10:0" + QByteArray::number(loads) +
                                           " Database: " + state);
    });
    start();
    TabStrip &strip = window->tabStrip();
    strip.select(1);
    int completed = 0;
    QObject::connect(&window->tabs().tab(4), &BrowserTab::pageCompleted, window.get(),
                     [&] { ++completed; });
    tab(4).navigate(address("/status"));
    ASSERT_TRUE(waitFor([&] { return window->pageDialogs().note(window->tabs().tab(4)) != nullptr; }, 20000));
    logInFromTheNote(*window, 4);
    strip.select(1);  // logged in, the user goes on at once
    ASSERT_TRUE(waitFor([&] { return loads == 1; }, 20000));
    spin(2000);
    for (int refresh = 1; refresh <= 3 && !strip.changedMark(4); ++refresh) {
        const int before = completed;
        tab(4).refresh();  // as the automatic refresh does
        ASSERT_TRUE(waitFor([&] { return completed > before; }, 20000));
        waitFor([&] { return strip.changedMark(4); }, 2000);
    }
    EXPECT_TRUE(strip.changedMark(4)) << "loads: " << loads;
}

}  // namespace
}  // namespace pelquin::test
