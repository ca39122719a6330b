#include "engine/page_context_menu.h"
#include "shell/free_tabs.h"
#include "shell_engine_fixture.h"
#include "tabs/tab_strip.h"

#include <QAction>
#include <QMenu>
#include <QTest>
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

}  // namespace
}  // namespace pelquin::test
