#include "engine/shell_engine_fixture.h"
#include "shell/button_bar.h"
#include "tabs/tab_strip.h"

using namespace pelquin;
using namespace pelquin::test;

// Pages with script blocks, served by the built-in server, change the real window.
class PageScriptEngine : public MainWindowEngine {
protected:
    void SetUp() override
    {
        page("/caption.htm", "<SCRIPT LANGUAGE=PELSCRIPT>TABSTRIP.TABCAPTION(3)=\"News Desk\" "
                             "TABSTRIP.TABSELECT=3></SCRIPT>");
        page("/bars.htm", "<p>bars</p><SCRIPT LANGUAGE=PELSCRIPT>BUTTONBAR.VISIBLE=FALSE "
                          "TABSTRIP.VISIBLE=FALSE></SCRIPT>");
        page("/quoted.htm", "<script language=\"pelscript\">BUTTON.VISIBLE(3)=FALSE></script>");
        page("/broken.htm", "<SCRIPT LANGUAGE=PELSCRIPT>BUTTON.VISIBLE(4)=FALSE>\n</SCRIPT>");
        page("/other.htm", "<SCRIPT LANGUAGE=PELSCRIPT>BROWSER.NAVIGATE(6)=" +
                               QStringLiteral("pelquin.localhost:%1/p7.htm").arg(0).toUtf8() +
                               " HOST.WIDTH=10500 HOST.HEIGHT=6000></SCRIPT>");
        MainWindowEngine::SetUp();
        start();
        ASSERT_TRUE(waitFor([&] { return window->tabStrip().picture(1) == TabPicture::World; }, 20000));
    }

    void page(const char *path, const QByteArray &body)
    {
        server.addPage(QString::fromLatin1(path), [this, body](const QUrlQuery &) {
            QByteArray html = "<html><head><title>script</title></head><body>" + body +
                              "</body></html>";
            // The test pages name the server's port once it is known.
            return html.replace("localhost:0", "localhost:" + QByteArray::number(server.port()));
        });
    }

    bool load(int tab, const char *path)
    {
        window->tabs().tab(tab).browser().navigate(url(path));
        return waitFor([&] {
            return window->tabs().tab(tab).browser().locationUrl() == url(path) &&
                   window->tabStrip().picture(tab) == TabPicture::World;
        }, 15000);
    }
};

TEST_F(PageScriptEngine, APageNamesAndSelectsATab)
{
    ASSERT_TRUE(load(5, "/caption.htm"));
    EXPECT_TRUE(waitFor([&] { return window->tabStrip().selected() == 3; }, 5000));
    EXPECT_EQ(window->tabStrip().caption(3), QStringLiteral("News Desk "));
}

TEST_F(PageScriptEngine, APageHidesTheButtonBarAndTheTabStrip)
{
    ASSERT_TRUE(load(4, "/bars.htm"));
    EXPECT_TRUE(waitFor([&] { return window->tabStrip().isHidden(); }, 5000));
    EXPECT_TRUE(window->buttons().isHidden());
}

TEST_F(PageScriptEngine, ALanguageWrittenInQuotesIsFoundThroughTheSerialisation)
{
    ASSERT_TRUE(load(4, "/quoted.htm"));
    EXPECT_TRUE(waitFor([&] { return !window->buttons().visibleAt(3); }, 5000));
}

TEST_F(PageScriptEngine, ALineBreakBeforeTheClosingTagDoesNothing)
{
    ASSERT_TRUE(load(4, "/broken.htm"));
    spin(500);
    EXPECT_TRUE(window->buttons().visibleAt(4));
}

TEST_F(PageScriptEngine, APageNavigatesAnotherTabAndSizesTheWindow)
{
    ASSERT_TRUE(load(4, "/other.htm"));
    EXPECT_TRUE(waitFor([&] {
        return window->tabs().tab(6).browser().locationUrl() == url("/p7.htm") &&
               window->tabStrip().picture(6) == TabPicture::World;
    }, 15000));
    EXPECT_EQ(window->frameGeometry().size(), QSize(700, 400));
}

TEST_F(PageScriptEngine, TheBodyIsSerialisedTheWayTheScriptReaderExpects)
{
    page("/markup.htm", "<div id=a title=\"x y\" data-e=\"\" data-q='a\"b' class=\"c&amp;d\">"
                        "t&amp;&lt;<b>x</b><br></div><script>var s = '<b>&amp;';</script>");
    ASSERT_TRUE(load(4, "/markup.htm"));
    QString markup;
    bool done = false;
    window->tabs().tab(4).browser().readBodyMarkup([&](const QString &m) {
        markup = m;
        done = true;
    });
    ASSERT_TRUE(waitFor([&] { return done; }, 5000));
    EXPECT_EQ(markup, QStringLiteral("<DIV id=a title=\"x y\" data-e=\"\" data-q=\"a&quot;b\" "
                                     "class=c&amp;d>t&amp;&lt;<B>x</B><BR></DIV>"
                                     "<SCRIPT>var s = '<b>&amp;';</SCRIPT>"));
}

TEST_F(PageScriptEngine, OnlyPagesThatMayHoldABlockAreReadWhole)
{
    page("/plain.htm", "<p>Nothing for the browser here.</p>");
    page("/mentions.htm", "<!-- about PelScript --><p title=\"a pelscript b\">x</p>");
    page("/block.htm", "<p>y</p><script language=PelScript>BUTTON.VISIBLE(5)=FALSE></script>");
    const auto markupWith = [&](int tab) {
        QString markup;
        bool done = false;
        window->tabs().tab(tab).browser().readBodyMarkupWith(QStringLiteral("PELSCRIPT"),
                                                      [&](const QString &m) {
                                                          markup = m;
                                                          done = true;
                                                      });
        EXPECT_TRUE(waitFor([&] { return done; }, 5000));
        return markup;
    };
    ASSERT_TRUE(load(4, "/plain.htm"));
    EXPECT_EQ(markupWith(4), QString());
    ASSERT_TRUE(load(4, "/mentions.htm"));
    EXPECT_EQ(markupWith(4), QStringLiteral("<!-- about PelScript --><P title=\"a pelscript b\">"
                                            "x</P>"));
    ASSERT_TRUE(load(4, "/block.htm"));
    EXPECT_TRUE(markupWith(4).contains(QStringLiteral("<SCRIPT language=PelScript>")));
    EXPECT_TRUE(waitFor([&] { return !window->buttons().visibleAt(5); }, 5000));
}
