#include "engine_fixture.h"
#include "test_web_server.h"

#include "core/download_list.h"
#include "engine/page_context_menu.h"
#include "engine/web_browser.h"

#include <QAction>
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QMenu>
#include <QProcess>
#include <QSslCertificate>
#include <QSslConfiguration>
#include <QSslKey>
#include <QTest>

namespace pelquin::test {
namespace {

QByteArray html(const QByteArray &title, const QByteArray &body)
{
    return TestWebServer::page(title, body);
}

// A TLS server with a throwaway self-signed certificate made for this run: the engine
// cannot trust it.
std::unique_ptr<QTcpServer> untrustedTlsServer(const QString &folder)
{
    const QString key = folder + QStringLiteral("/test-only.key");
    const QString certificate = folder + QStringLiteral("/test-only.crt");
    QProcess openssl;  // its progress dots stay out of the test's output
    openssl.start(QStringLiteral("openssl"),
                  {"req", "-x509", "-newkey", "rsa:2048", "-nodes", "-subj", "/CN=localhost",
                   "-days", "1", "-keyout", key, "-out", certificate});
    const bool made = openssl.waitForFinished(60000) && openssl.exitCode() == 0;
    QFile keyFile(key);
    QFile certificateFile(certificate);
    if (!made || !keyFile.open(QIODevice::ReadOnly) ||
        !certificateFile.open(QIODevice::ReadOnly))
        return nullptr;
    QSslConfiguration configuration = QSslConfiguration::defaultConfiguration();
    configuration.setLocalCertificate(QSslCertificate(certificateFile.readAll()));
    configuration.setPrivateKey(QSslKey(keyFile.readAll(), QSsl::Rsa));
    auto server = std::make_unique<QSslServer>();
    server->setSslConfiguration(configuration);
    return server;
}

// A one-page PDF document with a line of text, its cross-reference table counted out.
QByteArray smallPdf()
{
    const QByteArray stream = "BT /F1 24 Tf 72 720 Td (Hello PDF) Tj ET";
    const QList<QByteArray> objects = {
        "<< /Type /Catalog /Pages 2 0 R >>",
        "<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
        "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 612 792] /Contents 4 0 R "
        "/Resources << /Font << /F1 5 0 R >> >> >>",
        "<< /Length " + QByteArray::number(stream.size()) + " >>\nstream\n" + stream +
            "\nendstream",
        "<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica >>",
    };
    QByteArray pdf = "%PDF-1.4\n";
    QList<qsizetype> offsets;
    for (int i = 0; i < objects.size(); ++i) {
        offsets << pdf.size();
        pdf += QByteArray::number(i + 1) + " 0 obj\n" + objects.at(i) + "\nendobj\n";
    }
    const qsizetype table = pdf.size();
    pdf += "xref\n0 " + QByteArray::number(objects.size() + 1) + "\n0000000000 65535 f \n";
    for (qsizetype offset : offsets)
        pdf += QByteArray::number(offset).rightJustified(10, '0') + " 00000 n \n";
    pdf += "trailer\n<< /Size " + QByteArray::number(objects.size() + 1) +
           " /Root 1 0 R >>\nstartxref\n" + QByteArray::number(table) + "\n%%EOF\n";
    return pdf;
}

class PageRequestsTest : public EngineTest {
protected:
    void SetUp() override
    {
        EngineTest::SetUp();
        ASSERT_TRUE(m_server.listen());
        m_server.route("/full.htm", [](const auto &) {
            return html("Video",
                        "<button style=\"position:fixed;left:0;top:0;width:100%;height:100%\" "
                        "onclick=\"document.documentElement.requestFullscreen()\">go</button>");
        });
        m_server.route("/other.htm", [](const auto &) { return html("Other", "<p>o</p>"); });
        QObject::connect(m_browser.get(), &BrowserControl::fullScreenChange, m_browser.get(),
                         [this](bool on) { m_changes << on; });
    }

    WebEngineBrowser &browser() { return static_cast<WebEngineBrowser &>(*m_browser); }

    // A click on the page, as the engine asks for full screen only from a user's gesture.
    bool clickToFullScreen()
    {
        const int before = m_changes.size();
        QWidget *view = m_browser->widget();
        if (!waitFor([&] { return view->focusProxy() != nullptr; }, 10000))
            return false;
        QWidget *proxy = view->focusProxy();
        // The first clicks may come before the page's renderer takes input.
        const bool changed = waitFor([&] {
            QTest::mouseClick(proxy, Qt::LeftButton, {}, QPoint(100, 100));
            spin(200);
            return m_changes.size() > before;
        }, 20000);
        return changed && m_changes.last();
    }

    QVariant evaluate(const QString &script)
    {
        QVariant result;
        bool done = false;
        browser().enginePage()->runJavaScript(script, [&](const QVariant &value) {
            result = value;
            done = true;
        });
        EXPECT_TRUE(waitFor([&] { return done; }, 5000));
        return result;
    }

    // Opens `page`, chooses `action` in the page's menu at its middle and returns what was
    // saved under `fileName` in the download folder.
    QByteArray savedFromPageMenu(const QString &page, QWebEnginePage::WebAction action,
                                 const QString &fileName)
    {
        QTemporaryDir downloads;
        s_factory->setDownloadFolder(downloads.path());
        auto *view = static_cast<QWebEngineView *>(m_browser->widget());
        view->show();
        auto *menus = view->findChild<PageContextMenu *>();
        if (!QTest::qWaitForWindowExposed(view) || !menus || !load(m_server.url(page)) ||
            !waitFor([&] { return view->focusProxy() != nullptr; }, 10000))
            return "no page";
        const bool opened = waitFor([&] {
            QTest::mouseClick(view->focusProxy(), Qt::RightButton, {}, QPoint(100, 100));
            spin(200);
            return menus->lastMenu() != nullptr;
        }, 20000);
        QAction *chosen = view->pageAction(action);
        if (!opened || !menus->lastMenu()->actions().contains(chosen))
            return "no menu entry";
        const qsizetype before = s_factory->downloads().entries().size();
        chosen->trigger();
        menus->lastMenu()->close();
        waitFor([&] {
            const auto &entries = s_factory->downloads().entries();
            return entries.size() > before &&
                   entries.at(before).state == DownloadEntry::State::Finished;
        });
        QFile saved(QDir(downloads.path()).filePath(fileName));
        return saved.open(QIODevice::ReadOnly) ? saved.readAll() : QByteArray("not saved");
    }

    TestWebServer m_server;
    QList<bool> m_changes;
};

TEST_F(PageRequestsTest, AClickedFullScreenShowsThePageAloneAndEscapeBringsItBack)
{
    QWidget *view = m_browser->widget();
    view->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(view));
    ASSERT_TRUE(load(m_server.url(QStringLiteral("/full.htm"))));
    ASSERT_TRUE(clickToFullScreen());

    EXPECT_TRUE(m_browser->fullScreen());
    QPointer<QWidget> window = browser().fullScreenWindow();
    ASSERT_TRUE(window);
    EXPECT_TRUE(window->isFullScreen());
    EXPECT_NE(window.data(), view->window());
    EXPECT_TRUE(evaluate(QStringLiteral("document.fullscreenElement !== null")).toBool());

    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    QTest::keyClick(window, Qt::Key_Escape);
    ASSERT_TRUE(waitFor([&] { return !m_browser->fullScreen() && !window; }, 5000));
    EXPECT_EQ(m_changes, (QList<bool>{true, false}));
    // The page is back in its tab's view and has left full screen too.
    EXPECT_EQ(static_cast<QWebEngineView *>(view)->page(), browser().enginePage());
    EXPECT_TRUE(waitFor([&] {
        return evaluate(QStringLiteral("document.fullscreenElement === null")).toBool();
    }, 5000));
}

TEST_F(PageRequestsTest, LeavingThePageEndsItsFullScreen)
{
    m_browser->widget()->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(m_browser->widget()));
    ASSERT_TRUE(load(m_server.url(QStringLiteral("/full.htm"))));
    ASSERT_TRUE(clickToFullScreen());
    ASSERT_TRUE(load(m_server.url(QStringLiteral("/other.htm"))));
    EXPECT_FALSE(m_browser->fullScreen());
    EXPECT_EQ(browser().fullScreenWindow(), nullptr);
    EXPECT_EQ(m_browser->locationName(), QStringLiteral("Other"));
}

TEST_F(PageRequestsTest, APageQuestionEndsFullScreenSoThatItCanBeSeen)
{
    bool fullScreenWhenAsked = true;
    QObject::connect(m_browser.get(), &BrowserControl::pageDialogRequested, m_browser.get(),
                     [&](const PageDialog &, const PageDialogAnswer &answer) {
                         fullScreenWhenAsked = m_browser->fullScreen();
                         answer(PageDialogReply{true, {}, {}});
                     });
    m_browser->widget()->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(m_browser->widget()));
    ASSERT_TRUE(load(m_server.url(QStringLiteral("/full.htm"))));
    ASSERT_TRUE(clickToFullScreen());
    bool answered = false;
    browser().enginePage()->runJavaScript(QStringLiteral("alert('hello')"),
                                          [&](const QVariant &) { answered = true; });
    ASSERT_TRUE(waitFor([&] { return answered; }, 5000));
    EXPECT_FALSE(fullScreenWhenAsked);
    EXPECT_FALSE(m_browser->fullScreen());
}

TEST_F(PageRequestsTest, AnUntrustedCertificateShowsWhyAndProceedsOnlyByTheButton)
{
    QTemporaryDir folder;
    std::unique_ptr<QTcpServer> tls = untrustedTlsServer(folder.path());
    ASSERT_TRUE(tls) << "openssl could not make the test certificate";
    TestWebServer secure(std::move(tls));
    ASSERT_TRUE(secure.listen());
    secure.route("/secure.htm", [](const auto &) { return html("Secure", "<p>secret</p>"); });
    const QString url = secure.url(QStringLiteral("/secure.htm"));

    ASSERT_TRUE(load(url));
    EXPECT_EQ(secure.hits("/secure.htm"), 0);  // no silent proceed
    EXPECT_EQ(m_browser->locationUrl(), url);
    const QString page = bodyMarkup();
    EXPECT_EQ(m_browser->security(), PageSecurity::None);
    EXPECT_TRUE(page.contains(QStringLiteral("127.0.0.1"))) << qPrintable(page);
    EXPECT_TRUE(page.contains(QStringLiteral("not trusted"))) << qPrintable(page);
    EXPECT_TRUE(page.contains(QStringLiteral("/accept/"))) << qPrintable(page);
    EXPECT_TRUE(m_events.statusTexts.last().contains(QStringLiteral("127.0.0.1")))
        << qPrintable(m_events.statusTexts.last());

    // A link the page makes up is not the button: nothing happens.
    evaluate(QStringLiteral("location.href = 'https://pelquin-action.invalid/accept/forged'"));
    spin(300);
    EXPECT_EQ(secure.hits("/secure.htm"), 0);

    evaluate(QStringLiteral("document.querySelector('a[href*=\"/accept/\"]').click()"));
    ASSERT_TRUE(waitFor([&] { return secure.hits("/secure.htm") > 0; }));
    ASSERT_TRUE(waitFor([&] { return m_browser->locationName() == QStringLiteral("Secure"); }));
    EXPECT_TRUE(bodyMarkup().contains(QStringLiteral("secret")));
    // Shown past an error the user accepted: a warning, never the padlock.
    EXPECT_EQ(m_browser->security(), PageSecurity::AcceptedByUser);
    ASSERT_TRUE(load(m_server.url(QStringLiteral("/other.htm"))));
    EXPECT_EQ(m_browser->security(), PageSecurity::None);
}

TEST_F(PageRequestsTest, APageMayNotTakeTheScreenBackAfterTheUserLeftIt)
{
    m_server.route("/clingy.htm", [](const auto &) {
        return html("Clingy",
                    "<button style=\"position:fixed;left:0;top:0;width:100%;height:100%\" "
                    "onclick=\"document.documentElement.requestFullscreen()\">go</button>"
                    "<script>document.onfullscreenchange = function () {"
                    "  if (!document.fullscreenElement)"
                    "    document.documentElement.requestFullscreen();"
                    "};</script>");
    });
    QWidget *view = m_browser->widget();
    view->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(view));
    ASSERT_TRUE(load(m_server.url(QStringLiteral("/clingy.htm"))));
    ASSERT_TRUE(clickToFullScreen());
    m_browser->exitFullScreen();  // as Escape does
    spin(1500);
    EXPECT_FALSE(m_browser->fullScreen());
    EXPECT_EQ(m_changes, (QList<bool>{true, false}));
    // The user's own click may take it full screen again.
    ASSERT_TRUE(clickToFullScreen());
    EXPECT_TRUE(m_browser->fullScreen());
}

TEST_F(PageRequestsTest, AnUploadAsksThroughThePromptsFromTheHomeFolder)
{
    m_server.route("/upload.htm", [](const auto &) {
        return html("Upload", "<input type=file style=\"position:fixed;left:0;top:0;"
                              "width:100%;height:100%\" "
                              "onchange=\"document.title = this.files[0].name\">");
    });
    QTemporaryDir folder;
    const QString file = folder.filePath(QStringLiteral("upload-me.txt"));
    QFile(file).open(QIODevice::WriteOnly);
    s_prompts->chooseFile(file);
    QWidget *view = m_browser->widget();
    view->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(view));
    ASSERT_TRUE(load(m_server.url(QStringLiteral("/upload.htm"))));
    ASSERT_TRUE(waitFor([&] { return view->focusProxy() != nullptr; }, 10000));
    ASSERT_TRUE(waitFor([&] {
        QTest::mouseClick(view->focusProxy(), Qt::LeftButton, {}, QPoint(100, 100));
        spin(200);
        return !s_prompts->fileRequests().empty();
    }, 20000));
    EXPECT_EQ(s_prompts->fileRequests().back().folder, QDir::homePath());
    EXPECT_TRUE(waitFor([&] {
        return m_browser->locationName() == QStringLiteral("upload-me.txt");
    }));
}

TEST_F(PageRequestsTest, SaveLinkInThePagesMenuSavesItInTheDownloadFolder)
{
    m_server.route("/notes.txt", [](const auto &) {
        return TestWebServer::response("200 OK", "Content-Type: text/plain\r\n", "notes");
    });
    m_server.route("/links.htm", [](const auto &) {
        return html("Links", "<a href=\"/notes.txt\" style=\"position:fixed;left:0;top:0;"
                             "width:100%;height:100%\">notes</a>");
    });
    EXPECT_EQ(savedFromPageMenu(QStringLiteral("/links.htm"), QWebEnginePage::DownloadLinkToDisk,
                                QStringLiteral("notes.txt")),
              QByteArray("notes"));
    EXPECT_EQ(m_browser->locationName(), QStringLiteral("Links"));  // the tab keeps its page
}

TEST_F(PageRequestsTest, SaveImageInThePagesMenuSavesItInTheDownloadFolder)
{
    QImage image(8, 8, QImage::Format_RGB32);
    image.fill(Qt::red);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    m_server.route("/red.png", [png](const auto &) {
        return TestWebServer::response("200 OK", "Content-Type: image/png\r\n", png);
    });
    m_server.route("/image.htm", [](const auto &) {
        return html("Image", "<img src=\"/red.png\" style=\"position:fixed;left:0;top:0;"
                             "width:100%;height:100%\">");
    });
    EXPECT_EQ(savedFromPageMenu(QStringLiteral("/image.htm"),
                                QWebEnginePage::DownloadImageToDisk, QStringLiteral("red.png")),
              png);
}

TEST_F(PageRequestsTest, APdfOpensInTheTabWithoutADownload)
{
    m_server.route("/hello.pdf", [](const auto &) {
        return TestWebServer::response("200 OK", "Content-Type: application/pdf\r\n",
                                       smallPdf());
    });
    const int before = s_factory->downloads().entries().size();
    const QString url = m_server.url(QStringLiteral("/hello.pdf"));
    ASSERT_TRUE(load(url));
    EXPECT_EQ(m_browser->locationUrl(), url);
    EXPECT_EQ(s_factory->downloads().entries().size(), before);
    EXPECT_EQ(m_server.hits("/hello.pdf"), 1);
}

}  // namespace
}  // namespace pelquin::test
