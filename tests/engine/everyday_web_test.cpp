#include "engine_fixture.h"
#include "test_web_server.h"

#include "core/download_list.h"
#include "core/own_pages.h"

#include <QDir>
#include <QFile>
#include <QTimer>

#include <csignal>

namespace pelquin::test {
namespace {

QByteArray html(const QByteArray &title, const QByteArray &body)
{
    return TestWebServer::page(title, body);
}

class EverydayWebTest : public EngineTest {
protected:
    void SetUp() override
    {
        EngineTest::SetUp();
        ASSERT_TRUE(m_server.listen());
        m_server.route("/page.htm", [](const auto &) { return html("Page", "<p>page</p>"); });
        m_server.route("/form.htm", [](const auto &) {
            return html("Form", "<input id=a value=kept><textarea id=t></textarea>"
                                "<input id=box type=checkbox><iframe src=/inner.htm></iframe>");
        });
        m_server.route("/inner.htm", [](const auto &) { return html("Inner", "<input id=b>"); });
        m_server.route("/report.zip", [](const auto &) {
            return TestWebServer::response(
                "200 OK",
                "Content-Type: application/zip\r\n"
                "Content-Disposition: attachment; filename=\"report.zip\"\r\n",
                "PK whole file");
        });
        m_server.route("/evil", [](const auto &) {
            return TestWebServer::response(
                "200 OK",
                "Content-Type: application/octet-stream\r\n"
                "Content-Disposition: attachment; filename=\"../../.evil.sh\"\r\n",
                "echo");
        });
        m_server.route("/secret", [](const TestWebServer::Request &request) {
            if (request.authorization == "Basic " + QByteArray("alice:pw").toBase64())
                return html("Secret", "<p>welcome alice</p>");
            return TestWebServer::response("401 Unauthorized",
                                           "Content-Type: text/html\r\n"
                                           "WWW-Authenticate: Basic realm=\"Staff only\"\r\n",
                                           "<html><body><p>denied</p></body></html>");
        });
        m_downloads = std::make_unique<QTemporaryDir>();
        s_factory->setDownloadFolder(m_downloads->path());
        QObject::connect(m_browser.get(), &BrowserControl::pageDialogRequested, m_browser.get(),
                         [this](const PageDialog &dialog, const PageDialogAnswer &answer) {
                             m_dialogs.push_back(dialog);
                             m_answers.push_back(answer);
                             if (m_reply)
                                 answer(*m_reply);
                         });
    }

    QStringList savedFiles() const
    {
        return QDir(m_downloads->path()).entryList(QDir::Files | QDir::Hidden);
    }

    bool finished(int count)
    {
        return waitFor([&] {
            int done = 0;
            for (const DownloadEntry &entry : s_factory->downloads().entries())
                done += entry.state == DownloadEntry::State::Finished ? 1 : 0;
            return done >= count;
        });
    }

    TestWebServer m_server;
    std::unique_ptr<QTemporaryDir> m_downloads;
    std::vector<PageDialog> m_dialogs;
    std::vector<PageDialogAnswer> m_answers;
    std::optional<PageDialogReply> m_reply;
};

TEST_F(EverydayWebTest, AnAttachmentIsSavedWholeUnderTheServersNameAndThePageStays)
{
    const QString page = m_server.url(QStringLiteral("/page.htm"));
    ASSERT_TRUE(load(page));
    const int before = s_factory->downloads().entries().size();
    m_browser->navigate(m_server.url(QStringLiteral("/report.zip")));
    ASSERT_TRUE(finished(before + 1));
    m_browser->navigate(m_server.url(QStringLiteral("/report.zip")));
    ASSERT_TRUE(finished(before + 2));
    m_browser->navigate(m_server.url(QStringLiteral("/evil")));
    // Later downloads neither overwrite the first nor leave the folder.
    ASSERT_TRUE(finished(before + 3));
    EXPECT_EQ(savedFiles(),
              (QStringList{QStringLiteral("evil.sh"), QStringLiteral("report (1).zip"),
                           QStringLiteral("report.zip")}));
    QFile saved(QDir(m_downloads->path()).filePath(QStringLiteral("report.zip")));
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_EQ(saved.readAll(), QByteArray("PK whole file"));
    EXPECT_EQ(m_browser->locationUrl(), page);
    EXPECT_EQ(m_browser->locationName(), QStringLiteral("Page"));
    EXPECT_EQ(s_factory->downloads().entries().at(before).tab, 1);
}

TEST_F(EverydayWebTest, ACancelledDownloadLeavesNoFile)
{
    m_server.keepOpen("/endless.bin");
    m_server.route("/endless.bin", [](const auto &) {
        return QByteArray("HTTP/1.1 200 OK\r\nContent-Type: application/octet-stream\r\n"
                          "Content-Disposition: attachment; filename=\"endless.bin\"\r\n"
                          "Content-Length: 10000000\r\n\r\n") + QByteArray(70000, 'x');
    });
    DownloadList &list = s_factory->downloads();
    const int before = list.entries().size();
    m_browser->navigate(m_server.url(QStringLiteral("/endless.bin")));
    ASSERT_TRUE(waitFor([&] {
        return list.entries().size() > before && list.entries().at(before).received > 0;
    }));
    EXPECT_EQ(list.activeCount(), 1);
    list.cancelAll();
    EXPECT_EQ(list.entries().at(before).state, DownloadEntry::State::Cancelled);
    EXPECT_TRUE(waitFor([&] { return savedFiles().isEmpty(); }, 5000))
        << qPrintable(savedFiles().join(QLatin1Char(',')));
}

TEST_F(EverydayWebTest, ALoginAsksNamingTheRealmAndTheRightOneLoadsThePage)
{
    m_reply = PageDialogReply{true, QStringLiteral("alice"), QStringLiteral("pw")};
    ASSERT_TRUE(load(m_server.url(QStringLiteral("/secret"))));
    ASSERT_EQ(m_dialogs.size(), 1u);
    EXPECT_EQ(m_dialogs.front().kind, PageDialog::Kind::Login);
    EXPECT_EQ(m_dialogs.front().site, QStringLiteral("127.0.0.1"));
    EXPECT_EQ(m_dialogs.front().text, QStringLiteral("Staff only"));
    EXPECT_TRUE(bodyMarkup().contains(QStringLiteral("welcome alice")));
}

TEST_F(EverydayWebTest, ACancelledLoginShowsTheServersOwnPageWithoutAskingAgain)
{
    m_reply = PageDialogReply{};
    ASSERT_TRUE(load(m_server.url(QStringLiteral("/secret"))));
    EXPECT_EQ(m_dialogs.size(), 1u);
    EXPECT_TRUE(bodyMarkup().contains(QStringLiteral("denied")));
}

TEST_F(EverydayWebTest, ATypedLoginLogsInButIsNeverShown)
{
    const QString typed = QStringLiteral("alice:pw@127.0.0.1:%1/secret").arg(m_server.port());
    ASSERT_TRUE(load(typed));
    EXPECT_TRUE(m_dialogs.empty());
    EXPECT_TRUE(bodyMarkup().contains(QStringLiteral("welcome alice")));
    EXPECT_EQ(m_browser->locationUrl(), m_server.url(QStringLiteral("/secret")));
    for (const auto &[url, top] : m_events.navigations)
        EXPECT_FALSE(url.contains(QStringLiteral("pw"))) << qPrintable(url);
    EXPECT_FALSE(m_events.statusTexts.join(' ').contains(QStringLiteral("alice")));
}

TEST_F(EverydayWebTest, AScriptDialogWaitsForItsAnswerWhileTheProgramGoesOn)
{
    ASSERT_TRUE(load(m_server.url(QStringLiteral("/page.htm"))));
    bool answered = false;
    QVariant result;
    // The page waits inside the engine's call: the answer comes from the event loop, as the
    // user's click would, after other work of the program has run.
    bool timerRan = false;
    bool answeredBeforeTimer = true;
    QObject::connect(m_browser.get(), &BrowserControl::pageDialogRequested, m_browser.get(),
                     [&](const PageDialog &, const PageDialogAnswer &answer) {
                         QTimer::singleShot(20, m_browser.get(), [&, answer] {
                             timerRan = true;
                             answeredBeforeTimer = answered;
                             answer(PageDialogReply{true, {}, {}});
                         });
                     });
    enginePage()->runJavaScript(QStringLiteral("confirm('<b>sure?</b>')"),
                                [&](const QVariant &value) {
                                    result = value;
                                    answered = true;
                                });
    ASSERT_TRUE(waitFor([&] { return answered; }, 5000));
    EXPECT_TRUE(timerRan);
    EXPECT_FALSE(answeredBeforeTimer);
    ASSERT_EQ(m_dialogs.size(), 1u);
    EXPECT_EQ(m_dialogs.front().kind, PageDialog::Kind::Confirm);
    EXPECT_EQ(m_dialogs.front().text, QStringLiteral("<b>sure?</b>"));
    EXPECT_TRUE(result.toBool());
}

TEST_F(EverydayWebTest, AStoppedPageShowsItsOwnPageAndRefreshLoadsItAgain)
{
    const QString page = m_server.url(QStringLiteral("/page.htm"));
    ASSERT_TRUE(load(page));
    QStringList stopped;
    QObject::connect(m_browser.get(), &BrowserControl::pageStopped, m_browser.get(),
                     [&](const QString &address) { stopped << address; });
    const qint64 pid = enginePage()->renderProcessPid();
    ASSERT_GT(pid, 0);
    ::kill(pid_t(pid), SIGKILL);
    ASSERT_TRUE(waitFor([&] { return !stopped.isEmpty(); }));
    EXPECT_EQ(stopped, QStringList{page});
    EXPECT_EQ(m_browser->locationUrl(), page);
    EXPECT_EQ(m_events.statusTexts.last(), stoppedStatusText());
    EXPECT_TRUE(bodyMarkup().contains(QStringLiteral("stopped working")));
    // The crash recovery's word on the same page, when it gives up.
    m_browser->noteOnStoppedPage(QStringLiteral("Stopped reloading after 3 crashes"));
    EXPECT_TRUE(waitFor([&] {
        return bodyMarkup().contains(QStringLiteral("Stopped reloading after 3 crashes"));
    }, 10000));
    const int hits = m_server.hits("/page.htm");
    const int documents = m_events.documents.size();
    m_browser->refresh();
    ASSERT_TRUE(waitFor([&] { return m_events.documents.size() > documents; }));
    EXPECT_EQ(m_server.hits("/page.htm"), hits + 1);
    EXPECT_TRUE(bodyMarkup().contains(QStringLiteral("page")));
    EXPECT_FALSE(bodyMarkup().contains(QStringLiteral("stopped working")));
}

TEST_F(EverydayWebTest, APageThatNoLongerAnswersIsFoundAndEndedLikeACrashedOne)
{
    ASSERT_TRUE(load(m_server.url(QStringLiteral("/page.htm"))));
    bool answered = false;
    bool told = false;
    m_browser->probeAnswer(5000, [&](bool yes) {
        answered = yes;
        told = true;
    });
    ASSERT_TRUE(waitFor([&] { return told; }, 6000));
    EXPECT_TRUE(answered);
    QStringList stopped;
    QObject::connect(m_browser.get(), &BrowserControl::pageStopped, m_browser.get(),
                     [&](const QString &address) { stopped << address; });
    // The page's own script never returns.
    enginePage()->runJavaScript(QStringLiteral("setTimeout(() => { for (;;) {} }, 0)"));
    spin(300);
    told = false;
    m_browser->probeAnswer(1500, [&](bool yes) {
        answered = yes;
        told = true;
    });
    ASSERT_TRUE(waitFor([&] { return told; }, 5000));
    EXPECT_FALSE(answered);
    m_browser->endHungPage();
    EXPECT_TRUE(waitFor([&] { return !stopped.isEmpty(); }, 10000));
    // Loaded again, it answers.
    const int documents = m_events.documents.size();
    m_browser->refresh();
    ASSERT_TRUE(waitFor([&] { return m_events.documents.size() > documents; }));
    told = false;
    m_browser->probeAnswer(5000, [&](bool yes) {
        answered = yes;
        told = true;
    });
    ASSERT_TRUE(waitFor([&] { return told; }, 6000));
    EXPECT_TRUE(answered);
}

TEST_F(EverydayWebTest, ThePageTellsWhetherItHoldsWordsTypedAndNotSent)
{
    ASSERT_TRUE(load(m_server.url(QStringLiteral("/form.htm"))));
    const auto typed = [&] {
        std::optional<bool> answer;
        m_browser->checkTypedText([&](bool value) { answer = value; });
        EXPECT_TRUE(waitFor([&] { return answer.has_value(); }, 5000));
        return answer.value_or(false);
    };
    const auto run = [&](const QString &script) {
        bool done = false;
        enginePage()->runJavaScript(script, [&](const QVariant &) { done = true; });
        EXPECT_TRUE(waitFor([&] { return done; }, 5000));
    };
    // The page's editor types as the user's keys do: the engine reports it as trusted input,
    // a moment after the words are in.
    const auto type = [&](const QString &field, const QString &words) {
        run(QStringLiteral("%1.focus(); %1.select && %1.select();"
                           "%1.ownerDocument.execCommand('insertText', false, '%2')")
                .arg(field, words));
        return waitFor(typed, 3000);
    };
    const QString a = QStringLiteral("document.getElementById('a')");
    const QString t = QStringLiteral("document.getElementById('t')");
    ASSERT_TRUE(waitFor([&] { return enginePage()->title() == QStringLiteral("Form"); }));
    EXPECT_FALSE(typed());
    run(QStringLiteral("document.getElementById('box').checked = true"));
    EXPECT_FALSE(typed());  // not words
    run(a + QStringLiteral(".value = 'filled by the page'"));
    run(t + QStringLiteral(".value = 'a list the page keeps'"));
    EXPECT_FALSE(typed());  // the page's own script wrote them, nobody typed
    EXPECT_TRUE(type(a, QStringLiteral("typed")));
    run(a + QStringLiteral(".value = 'kept'"));
    EXPECT_FALSE(typed());  // as the page gave it
    EXPECT_TRUE(type(t, QStringLiteral("a letter")));
    run(t + QStringLiteral(".value = ''"));
    EXPECT_FALSE(typed());  // emptied
    ASSERT_TRUE(waitFor([&] {
        bool ready = false;
        bool done = false;
        enginePage()->runJavaScript(
            QStringLiteral("!!(frames[0] && frames[0].document.getElementById('b'))"),
            [&](const QVariant &v) { ready = v.toBool(); done = true; });
        waitFor([&] { return done; }, 2000);
        return ready;
    }, 10000));
    run(QStringLiteral("frames[0].document.getElementById('b').value = 'set by the frame'"));
    EXPECT_FALSE(typed());
    EXPECT_TRUE(type(QStringLiteral("frames[0].document.getElementById('b')"),
                     QStringLiteral("in a frame")));
}

}  // namespace
}  // namespace pelquin::test
