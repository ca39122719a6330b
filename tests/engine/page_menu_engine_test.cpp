#include "engine/page_context_menu.h"
#include "tabs/free_tabs.h"
#include "shell_engine_fixture.h"
#include "tabs/tab_strip.h"

#include <QAction>
#include <QMenu>
#include <QTest>
#include <QWebEngineContextMenuRequest>
#include <QWebEngineView>

namespace pelquin::test {
namespace {

// The page's right-button menu on the real engine.
TEST_F(MainWindowEngine, OpenLinkInNewTabUsesTheFirstFreeTabAndKeepsTheSelection)
{
    server.addPage(QStringLiteral("/links.htm"), [this](const QUrlQuery &) {
        return QStringLiteral("<html><body style='margin:0'><a href='%1' style='display:block;"
                              "width:100%;height:2000px'>link</a></body></html>")
            .arg(url("/p5.htm"))
            .toUtf8();
    });
    start();
    BrowserControl &three = window->tabs().tab(3).browser();
    window->tabStrip().select(3);
    three.navigate(url("/links.htm"));
    ASSERT_TRUE(waitFor([&] { return !three.busy() && three.locationUrl() == url("/links.htm"); },
                        30000));
    auto *view = qobject_cast<QWebEngineView *>(three.widget());
    ASSERT_NE(view, nullptr);
    auto *menus = view->findChild<PageContextMenu *>();
    ASSERT_NE(menus, nullptr);
    ASSERT_TRUE(waitFor([&] { return view->focusProxy() != nullptr; }, 10000));

    const QPoint middle(view->width() / 2, view->height() / 2);
    ASSERT_TRUE(waitFor(
        [&] {
            QTest::mouseClick(view->focusProxy(), Qt::RightButton, {}, middle);
            spin(200);
            return menus->lastMenu() != nullptr;
        },
        30000));
    QAction *newTab = nullptr;
    for (QAction *action : menus->lastMenu()->actions()) {
        if (action->text().contains(QStringLiteral("new tab"), Qt::CaseInsensitive))
            newTab = action;
    }
    ASSERT_NE(newTab, nullptr);
    EXPECT_TRUE(newTab->isEnabled());
    newTab->trigger();
    menus->lastMenu()->close();

    BrowserControl &four = window->tabs().tab(4).browser();
    EXPECT_TRUE(waitFor([&] { return four.locationUrl() == url("/p5.htm") && !four.busy(); },
                        30000));
    EXPECT_EQ(window->tabStrip().selected(), 3);
    // Recorded as a typed address, which the history keeps without "http://".
    EXPECT_TRUE(session->history.requests().contains(url("/p5.htm").mid(7)));
    EXPECT_EQ(window->freeTabs().firstFree(), 5);
}

// Words typed into a page's field are checked in the desktop's language, and the page's menu
// offers the dictionary's words for a misspelled one.
TEST_F(MainWindowEngine, MisspelledWordsGetSuggestionsUntilSpellCheckingIsOff)
{
    ASSERT_EQ(factory->spellingLanguage(), QStringLiteral("en-US"))
        << "the build makes en-US.bdic from hunspell-en-us; the tests run in the C locale";
    server.addPage(QStringLiteral("/form.htm"), [](const QUrlQuery &) {
        return QByteArrayLiteral("<html><body style='margin:0'><textarea id=t style='position:"
                                 "absolute;left:0;top:0;width:500px;height:200px;font-size:"
                                 "30px'></textarea></body></html>");
    });
    start();
    BrowserControl &three = window->tabs().tab(3).browser();
    window->tabStrip().select(3);
    three.navigate(url("/form.htm"));
    ASSERT_TRUE(waitFor([&] { return !three.busy() && three.locationUrl() == url("/form.htm"); },
                        30000));
    auto *view = qobject_cast<QWebEngineView *>(three.widget());
    ASSERT_NE(view, nullptr);
    auto *menus = view->findChild<PageContextMenu *>();
    ASSERT_NE(menus, nullptr);
    const auto evaluate = [&](const QString &script) {
        QVariant result;
        bool done = false;
        view->page()->runJavaScript(script, [&](const QVariant &value) {
            result = value;
            done = true;
        });
        EXPECT_TRUE(waitFor([&] { return done; }, 5000));
        return result.toString();
    };
    // Typed as the user types: through the editor, which is what the checker watches.
    EXPECT_EQ(evaluate(QStringLiteral("var t = document.getElementById('t'); t.focus();"
                                      "document.execCommand('insertText', false, 'helo wrold ');"
                                      "t.value")),
              QStringLiteral("helo wrold "));
    ASSERT_TRUE(waitFor([&] { return view->focusProxy() != nullptr; }, 10000));
    const auto suggestion = [&](const QString &word) -> QAction * {
        QTest::mouseClick(view->focusProxy(), Qt::RightButton, {}, QPoint(30, 20));
        spin(300);
        QMenu *menu = menus->lastMenu();
        if (!menu)
            return nullptr;
        QAction *found = nullptr;
        for (QAction *action : menu->actions()) {
            if (action->text() == word)
                found = action;
        }
        if (!found)
            menu->close();
        return found;
    };

    QAction *hello = nullptr;
    ASSERT_TRUE(waitFor([&] { return (hello = suggestion(QStringLiteral("hello"))) != nullptr; },
                        30000));
    hello->trigger();
    menus->lastMenu()->close();
    EXPECT_TRUE(waitFor(
        [&] { return evaluate(QStringLiteral("t.value")) == QStringLiteral("hello wrold "); },
        10000));

    BrowserOptions off;
    off.spellCheck = false;
    factory->applyOptions(off);
    evaluate(QStringLiteral("t.focus(); document.execCommand('selectAll');"
                            "document.execCommand('insertText', false, 'helo wrold ');"));
    spin(2000);
    EXPECT_EQ(suggestion(QStringLiteral("hello")), nullptr);
    ASSERT_NE(menus->lastMenu(), nullptr);
    EXPECT_TRUE(view->lastContextMenuRequest()->misspelledWord().isEmpty());
}

}  // namespace
}  // namespace pelquin::test
