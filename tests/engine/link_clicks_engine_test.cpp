#include "engine_fixture.h"
#include "test_web_server.h"

#include <QTest>

using namespace pelquin;
using namespace pelquin::test;

namespace {

// A link that covers the whole page, so a click anywhere falls on it.
QByteArray linkPage(const QByteArray &target)
{
    return TestWebServer::page(
        "Links", "<a href=\"/linked.htm\"" + target +
                     " style=\"position:fixed;left:0;top:0;width:100%;height:100%\">link</a>");
}

class LinkClicksTest : public EngineTest {
protected:
    void SetUp() override
    {
        EngineTest::SetUp();
        ASSERT_TRUE(m_server.listen());
        m_server.route("/links.htm", [](const auto &) { return linkPage(""); });
        m_server.route("/blank.htm", [](const auto &) { return linkPage(" target=\"_blank\""); });
        m_server.route("/linked.htm", [](const auto &) {
            return TestWebServer::page("Linked", "<p>linked</p>");
        });
        QObject::connect(m_browser.get(), &BrowserControl::openInNewTab, m_browser.get(),
                         [this](const QString &address, bool select) {
                             m_opened << address + (select ? QStringLiteral(" selected")
                                                           : QString());
                         });
        m_events.cancelNewWindows = true;
        m_browser->widget()->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(m_browser->widget()));
    }

    // Clicks until the page's renderer takes the click and something opens.
    bool clickOpens(const char *page, Qt::MouseButton button, Qt::KeyboardModifiers keys)
    {
        if (!load(m_server.url(QString::fromLatin1(page))))
            return false;
        QWidget *view = m_browser->widget();
        if (!waitFor([&] { return view->focusProxy() != nullptr; }, 10000))
            return false;
        return waitFor([&] {
            QTest::mouseClick(view->focusProxy(), button, keys, QPoint(100, 100));
            spin(300);
            return !m_opened.isEmpty() || m_events.newWindows > 0;
        }, 20000);
    }

    TestWebServer m_server;
    QStringList m_opened;
};

TEST_F(LinkClicksTest, AMiddleClickOpensTheLinkInANewTabAndTheTabStays)
{
    ASSERT_TRUE(clickOpens("/links.htm", Qt::MiddleButton, Qt::NoModifier));
    EXPECT_EQ(m_opened, QStringList{m_server.url(QStringLiteral("/linked.htm"))});
    EXPECT_EQ(m_events.newWindows, 0);
    EXPECT_EQ(m_browser->locationUrl(), m_server.url(QStringLiteral("/links.htm")));
}

TEST_F(LinkClicksTest, CtrlShiftClickAsksForTheNewTabToBeSelected)
{
    ASSERT_TRUE(clickOpens("/links.htm", Qt::LeftButton,
                           Qt::ControlModifier | Qt::ShiftModifier));
    EXPECT_EQ(m_opened,
              QStringList{m_server.url(QStringLiteral("/linked.htm")) + " selected"});
}

TEST_F(LinkClicksTest, APlainClickOnATargetBlankLinkStillAsksForANewWindow)
{
    ASSERT_TRUE(clickOpens("/blank.htm", Qt::LeftButton, Qt::NoModifier));
    EXPECT_TRUE(m_opened.isEmpty());
    EXPECT_EQ(m_events.newWindows, 1);
}
}  // namespace
