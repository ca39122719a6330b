#include "engine_fixture.h"

#include "platform/basic_error.h"
#include "engine/popup_window.h"
#include "engine/web_browser.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QMessageBox>
#include <QFile>
#include <QFileInfo>
#include <QPrintDialog>
#include <QPrinter>
#include <QTcpServer>

namespace pelquin::test {
namespace {

class WebBrowserCommandsTest : public EngineTest {
protected:
    static int popupCount()
    {
        int count = 0;
        for (QWidget *window : QApplication::topLevelWidgets())
            count += qobject_cast<PopupWindow *>(window) != nullptr ? 1 : 0;
        return count;
    }

    // Runs a page script and waits until the engine has run it.
    void runScript(const QString &script)
    {
        bool done = false;
        enginePage()->runJavaScript(script, [&](const QVariant &) { done = true; });
        ASSERT_TRUE(waitFor([&] { return done; }, 5000));
    }
};

TEST_F(WebBrowserCommandsTest, OfflineBlocksTheNetworkUntilOnlineAgain)
{
    s_factory->setOffline(true);
    EXPECT_TRUE(s_factory->offline());
    const QString url = s_site->url(QStringLiteral("/w1.htm?offline"));
    ASSERT_TRUE(load(url));
    EXPECT_EQ(m_events.documents.last(), url);
    EXPECT_EQ(m_browser->locationUrl(), url);
    EXPECT_FALSE(bodyMarkup().contains(QStringLiteral("Welcome to Pelquin")));

    s_factory->setOffline(false);
    EXPECT_FALSE(s_factory->offline());
    ASSERT_TRUE(load(url));
    EXPECT_TRUE(bodyMarkup().contains(QStringLiteral("Welcome to Pelquin")));
}

TEST_F(WebBrowserCommandsTest, SaveAsWritesTheChosenFile)
{
    ASSERT_TRUE(load(s_site->welcomeUrl()));
    const QString path = s_dir->filePath(QStringLiteral("saved.htm"));
    s_prompts->chooseFile(path);
    m_browser->exec(PageCommand::SaveAs);

    ASSERT_EQ(s_prompts->fileRequests().size(), 1u);
    EXPECT_EQ(s_prompts->fileRequests()[0].title, QStringLiteral("Save Web Page"));
    EXPECT_EQ(s_prompts->fileRequests()[0].filter,
              QStringLiteral("Web Page, complete (*.htm *.html)"));
    EXPECT_EQ(s_prompts->fileRequests()[0].fileName, QStringLiteral("Pelquin.htm"));
    QFile file(path);
    EXPECT_TRUE(waitFor([&] {
        return file.open(QIODevice::ReadOnly)
               && QString::fromUtf8(file.readAll()).contains(QStringLiteral("Welcome to Pelquin"));
    }, 10000));
}

TEST_F(WebBrowserCommandsTest, PrintAsksThroughThePrintDialog)
{
    EXPECT_THROW(m_browser->exec(PageCommand::Print), BasicError);
    ASSERT_TRUE(load(s_site->welcomeUrl()));
    m_browser->exec(PageCommand::Print);  // the dialog is cancelled
    EXPECT_EQ(s_prompts->formTitles().size(), 1);

    const QString pdf = s_dir->filePath(QStringLiteral("printed.pdf"));
    s_prompts->onNextForm([&](QDialog &dialog) {
        QPrinter *printer = static_cast<QPrintDialog &>(dialog).printer();
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(pdf);
        return int(QDialog::Accepted);
    });
    m_browser->exec(PageCommand::Print);
    EXPECT_FALSE(m_browser->commandAvailable(PageCommand::Print));  // while printing
    EXPECT_TRUE(waitFor([&] {
        return m_browser->commandAvailable(PageCommand::Print);
    }));
    EXPECT_GT(QFileInfo(pdf).size(), 0);
    // Text, not pictures of pages: its fonts map to characters, to select and search with
    // (a printer's PDF of the page is one picture per page, without such a map).
    QFile printed(pdf);
    ASSERT_TRUE(printed.open(QIODevice::ReadOnly));
    EXPECT_TRUE(printed.readAll().contains("/ToUnicode"));
}

TEST_F(WebBrowserCommandsTest, StopEndsALoadWithDownloadCompleteOnly)
{
    QTcpServer silent;  // accepts and never answers
    ASSERT_TRUE(silent.listen(QHostAddress::LocalHost));
    m_browser->navigate(QStringLiteral("pelquin.localhost:%1/slow").arg(silent.serverPort()));
    ASSERT_TRUE(waitFor([&] { return m_browser->busy(); }));
    m_browser->stop();
    ASSERT_TRUE(waitFor([&] { return m_events.downloads == 1; }));
    EXPECT_FALSE(m_browser->busy());
    EXPECT_TRUE(m_events.documents.isEmpty());
    EXPECT_EQ(m_events.statusTexts.last(), QStringLiteral("Done"));
}

TEST_F(WebBrowserCommandsTest, NewWindowOpensAPopupUnlessCancelled)
{
    ASSERT_TRUE(load(s_site->welcomeUrl()));
    const int before = popupCount();

    m_events.cancelNewWindows = true;
    runScript(QStringLiteral("window.open('/w2.htm')"));
    EXPECT_EQ(m_events.newWindows, 1);
    EXPECT_EQ(popupCount(), before);

    m_events.cancelNewWindows = false;
    runScript(QStringLiteral("window.open('/w2.htm')"));
    EXPECT_EQ(m_events.newWindows, 2);
    ASSERT_EQ(popupCount(), before + 1);
    PopupWindow *popup = nullptr;
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (auto *candidate = qobject_cast<PopupWindow *>(window))
            popup = candidate;
    }
    ASSERT_NE(popup, nullptr);
    EXPECT_TRUE(waitFor([&] { return popup->windowTitle() == QStringLiteral("Search"); }));
    popup->close();
    EXPECT_TRUE(waitFor([&] { return popupCount() == before; }, 5000));
}

TEST_F(WebBrowserCommandsTest, WithoutATabAnAlertShowsWithoutWaitingAndAQuestionIsModal)
{
    ASSERT_TRUE(load(s_site->welcomeUrl()));
    Qt::WindowModality modality = Qt::NonModal;
    s_prompts->onNextForm([&](QDialog &dialog) {
        modality = dialog.windowModality();
        return int(QDialog::Accepted);
    });
    bool confirmed = false;
    bool answered = false;
    enginePage()->runJavaScript(QStringLiteral("alert('hello'); confirm('sure?')"),
                                [&](const QVariant &result) {
                                    confirmed = result.toBool();
                                    answered = true;
                                });
    ASSERT_TRUE(waitFor([&] { return answered; }, 5000));
    EXPECT_EQ(modality, Qt::WindowModal);
    EXPECT_TRUE(confirmed);  // the first box asked is the confirm's
    EXPECT_EQ(s_prompts->formTitles(), QStringList{QStringLiteral("Page at pelquin.localhost")});
    // The alert is on the screen, and nothing waited for it.
    QMessageBox *alert = nullptr;
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (auto *box = qobject_cast<QMessageBox *>(widget); box && box->isVisible())
            alert = box;
    }
    ASSERT_NE(alert, nullptr);
    EXPECT_EQ(alert->text(), QStringLiteral("hello"));
    EXPECT_EQ(alert->windowModality(), Qt::NonModal);
    alert->close();
}

TEST_F(WebBrowserCommandsTest, WithoutATabAPromptShowsThePagesWordsAsText)
{
    ASSERT_TRUE(load(s_site->welcomeUrl()));
    QString label;
    Qt::TextFormat format = Qt::RichText;
    s_prompts->onNextForm([&](QDialog &dialog) {
        for (QLabel *each : dialog.findChildren<QLabel *>()) {
            if (each->text().contains(QStringLiteral("name?"))) {
                label = each->text();
                format = each->textFormat();
            }
        }
        return int(QDialog::Rejected);
    });
    bool answered = false;
    enginePage()->runJavaScript(QStringLiteral("prompt('<b>name?</b><img src=\"/tmp/x.png\">')"),
                                [&](const QVariant &) { answered = true; });
    ASSERT_TRUE(waitFor([&] { return answered; }, 5000));
    EXPECT_TRUE(label.contains(QStringLiteral("<b>name?</b>")));
    EXPECT_EQ(format, Qt::PlainText);
}

}  // namespace
}  // namespace pelquin::test
