#include "platform/text_file.h"
#include "platform/twips.h"
#include "script/command_processor.h"
#include "script/page_script.h"
#include "shell/display_modes.h"
#include "shell/main_window_control.h"
#include "support/fake_scriptable_window.h"
#include "support/tabs_fixture.h"
#include "support/temp_home.h"
#include "support/window_parts_fixture.h"

#include <QGuiApplication>
#include <QScreen>
#include <QUrl>

using namespace pelquin;
using pelquin::test::FakeScriptableWindow;
using Bar = pelquin::ScriptableWindow::Bar;

namespace {

QStringList texts(const ScriptedPrompts &prompts)
{
    QStringList all;
    for (const auto &m : prompts.messages())
        all << m.text;
    return all;
}

}  // namespace

// Page scripts on a window that only records what it is asked; the tabs' browsers load the
// pages whose scripts run.
class ProcessorTest : public test::TabsFixture {
protected:
    void run(const QString &script) { pageScript.process(script + QLatin1Char(' ')); }
    QStringList messageTexts() const { return texts(prompts); }

    test::TempHome home;
    FakeScriptableWindow host;
    CommandProcessor processor{host, home.folder(), errors};
    PageScript pageScript{tabs, processor, errors};
};

// Host commands on a shown window, through the control the main window gives page scripts.
class HostCommandsTest : public test::LaidOutTabsFixture {
protected:
    HostCommandsTest()
    {
        window.resize(toPixels(12000), toPixels(9000));
        prompts.clear();
    }
    void run(const QString &script) { pageScript.process(script + QLatin1Char(' ')); }

    DisplayModes modes{window, session, windowControls(), menu, layout, errors};
    MainWindowControl control{window, windowControls(), menu, modes, layout};
    CommandProcessor processor{control, session.appFolder, errors};
    PageScript pageScript{tabs, processor, errors};
};

TEST_F(ProcessorTest, StatementsRunFromTheLastToTheFirst)
{
    run(QStringLiteral("TABSTRIP.TABCAPTION(1)=A TABSTRIP.TABCAPTION(1)=B>"));
    EXPECT_EQ(host.caption(1), QStringLiteral("A "));
    EXPECT_EQ(host.tab(1).scriptCaption, QStringLiteral("A "));
}

TEST_F(ProcessorTest, CountReCreatesBareTabsAfterTheCaptionIsSet)
{
    run(QStringLiteral("TABSTRIP.COUNT=5 TABSTRIP.TABCAPTION(1)=Home>"));
    EXPECT_EQ(host.stripTabCount(), 5);
    EXPECT_EQ(host.caption(1), QString());
    EXPECT_EQ(host.tab(1).scriptCaption, QStringLiteral("Home"));
    run(QStringLiteral("TABSTRIP.COUNT=99>"));
    EXPECT_EQ(host.stripTabCount(), 30);
    run(QStringLiteral("TABSTRIP.COUNT=-4>"));
    EXPECT_EQ(host.stripTabCount(), 1);
    EXPECT_TRUE(prompts.messages().empty());
}

TEST_F(ProcessorTest, ACountThatIsNoNumberLeavesOneTabAndIsReported)
{
    run(QStringLiteral("TABSTRIP.COUNT=abc>"));
    EXPECT_EQ(host.stripTabCount(), 1);
    EXPECT_EQ(messageTexts(), QStringList{"13 Type mismatch At ProcessScript"});
}

TEST_F(ProcessorTest, NavigateNeedsATabFromOneTo29AndRefusesJavascript)
{
    run(QStringLiteral("BROWSER.NAVIGATE(30)=about:blank>"));
    run(QStringLiteral("BROWSER.NAVIGATE=about:blank>"));
    EXPECT_TRUE(host.tab(30).navigations.isEmpty());
    run(QStringLiteral("BROWSER.NAVIGATE(4)=\" JavaScript:alert(1)\" "
                       "BROWSER.NAVIGATE(5)=x.example>"));
    EXPECT_TRUE(host.tab(4).navigations.isEmpty());
    EXPECT_EQ(host.tab(5).navigations, QStringList{"http://x.example"});
    EXPECT_EQ(host.tab(5).blanks, 1);
    host.tab(6).hasDocument = false;
    run(QStringLiteral("BROWSER.NAVIGATE(6)=y.example>"));
    EXPECT_EQ(host.tab(6).navigations, QStringList{"http://y.example"});
    EXPECT_TRUE(prompts.messages().empty());
}

TEST_F(ProcessorTest, AnyIndexIsRoundedBeforeItIsChecked)
{
    for (int t = 1; t <= 30; ++t)
        host.tab(t).navigations.clear();
    run(QStringLiteral("BROWSER.NAVIGATE(0.4)=x.example BROWSER.NAVIGATE(-3)=x.example "
                       "BROWSER.NAVIGATE()=x.example BROWSER.NAVIGATE(29.6)=x.example>"));
    for (int t = 1; t <= 30; ++t)
        EXPECT_TRUE(host.tab(t).navigations.isEmpty()) << t;
    EXPECT_TRUE(prompts.messages().empty());
    run(QStringLiteral("BROWSER.NAVIGATE(1.4)=x.example BUTTON.VISIBLE(0.4)=FALSE "
                       "TABSTRIP.TABCAPTION(0.4)=zero TABSTRIP.TABCAPTION(30.4)=last>"));
    EXPECT_EQ(host.tab(1).navigations, QStringList{"http://x.example"});
    EXPECT_NE(host.caption(1), QStringLiteral("zero"));
    EXPECT_EQ(host.caption(30), QStringLiteral("last"));
    EXPECT_TRUE(prompts.messages().empty());
    run(QStringLiteral("BROWSER.NAVIGATE(1e39)=x.example>"));
    EXPECT_EQ(messageTexts(), QStringList{"6 Overflow At ProcessScript"});
    prompts.clear();
    run(QStringLiteral("BROWSER.NAVIGATE(nan)=x.example>"));
    EXPECT_EQ(messageTexts(), QStringList{"13 Type mismatch At ProcessScript"});
}

TEST_F(ProcessorTest, AWebPageSendsTabsOnlyToWebAddresses)
{
    const QString page = QStringLiteral("http://site.example/");
    const auto runFrom = [&](const QString &script) {
        pageScript.process(script + QLatin1Char(' '), page);
    };
    runFrom(QStringLiteral("BROWSER.NAVIGATE(3)=\"\tjavascript:fetch('/x-'+document.cookie)\" "
                           "BROWSER.NAVIGATE(4)=\"java\nscript:alert(1)\" "
                           "BROWSER.NAVIGATE(5)=JavaScript:alert(1) "
                           "BROWSER.NAVIGATE(6)=file:///etc/hostname "
                           "BROWSER.NAVIGATE(7)=/etc/hostname "
                           "BROWSER.NAVIGATE(8)=data:text/html,x "
                           "BROWSER.NAVIGATE(9)=view-source:http://a.example/>"));
    for (int t = 3; t <= 9; ++t) {
        EXPECT_TRUE(host.tab(t).navigations.isEmpty()) << t;
        EXPECT_EQ(host.tab(t).blanks, 0) << t;
    }
    EXPECT_TRUE(prompts.messages().empty());
    runFrom(QStringLiteral("BROWSER.NAVIGATE(10)=\" https://b.example/\tx \">"));
    EXPECT_EQ(host.tab(10).navigations, QStringList{"https://b.example/x"});
}

TEST_F(ProcessorTest, OurOwnFavoritesPageMayStillOpenFiles)
{
    writeTextFile(home.file("FAVES.HTM"), {QStringLiteral("<HTML></HTML>")});
    const QString page = QUrl::fromLocalFile(home.file("FAVES.HTM")).toString();
    pageScript.process(
        QStringLiteral("BROWSER.NAVIGATE(3)=file:///tmp/a.htm BROWSER.NAVIGATE(4)=javascript:1> "),
        page);
    EXPECT_EQ(host.tab(3).navigations, QStringList{"file:///tmp/a.htm"});
    EXPECT_TRUE(host.tab(4).navigations.isEmpty());
}

TEST_F(ProcessorTest, IndexChecksSkipStatementsSilently)
{
    run(QStringLiteral("BUTTON.VISIBLE(0)=FALSE TABSTRIP.TABSELECT=0 BUTTON.VISIBLE(13)=FALSE>"));
    EXPECT_TRUE(prompts.messages().empty());
    run(QStringLiteral("BUTTON.VISIBLE(3)=false TABSTRIP.TABSELECT=\" 7 \">"));
    EXPECT_FALSE(host.buttonVisible(3));
    EXPECT_EQ(host.selected, 7);
    run(QStringLiteral("BUTTON.VISIBLE(3)=TRUE>"));
    EXPECT_TRUE(host.buttonVisible(3));
}

TEST_F(ProcessorTest, BarCommandsNeverToggleABarIntoItsOwnState)
{
    run(QStringLiteral("BUTTONBAR.VISIBLE=FALSE>"));
    EXPECT_TRUE(host.barHidden(Bar::Buttons));
    run(QStringLiteral("BUTTONBAR.VISIBLE=FALSE>"));
    EXPECT_TRUE(host.barHidden(Bar::Buttons));
    run(QStringLiteral("BUTTONBAR.VISIBLE=TRUE DROPDOWN.VISIBLE=FALSE STATUSBAR.VISIBLE=FALSE>"));
    EXPECT_FALSE(host.barHidden(Bar::Buttons));
    EXPECT_TRUE(host.barHidden(Bar::Address));
    EXPECT_TRUE(host.barHidden(Bar::Status));
    run(QStringLiteral("TABSTRIP.VISIBLE=FALSE>"));
    EXPECT_FALSE(host.stripVisible);
    run(QStringLiteral("TABSTRIP.VISIBLE=maybe>"));
    EXPECT_FALSE(host.stripVisible);
}

TEST_F(ProcessorTest, MenuVisibleTakesAnyLetterCaseAndBlanks)
{
    run(QStringLiteral("MENU.VISIBLE=\"false \">"));
    EXPECT_FALSE(host.menuAllowed);
    run(QStringLiteral("menu.visible=True>"));
    EXPECT_TRUE(host.menuAllowed);
}

TEST_F(HostCommandsTest, HostCommandsUnMaximiseAndPlaceTheWindowWithinReach)
{
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    window.showMaximized();
    run(QStringLiteral("HOST.RESIZABLE=TRUE>"));
    EXPECT_FALSE(window.isMaximized());
    run(QStringLiteral("HOST.LEFT=1500 HOST.TOP=750 HOST.WIDTH=10500 HOST.HEIGHT=6000>"));
    EXPECT_EQ(window.frameGeometry(), QRect(100, 50, 700, 400));
    run(QStringLiteral("HOST.LEFT=-99999999 HOST.TOP=99999999>"));
    EXPECT_GT(window.frameGeometry().right(), screen.left());
    EXPECT_LT(window.frameGeometry().top(), screen.bottom());
    run(QStringLiteral("HOST.WIDTH=999999999 HOST.HEIGHT=999999999>"));
    EXPECT_LE(window.frameGeometry().width(), screen.width());
    EXPECT_LE(window.frameGeometry().height(), screen.height());
    EXPECT_TRUE(screen.intersects(window.frameGeometry()));
    run(QStringLiteral("HOST.WIDTH=10>"));
    EXPECT_EQ(window.frameGeometry().width(), toPixels(9195));
    run(QStringLiteral("HOST.LEFT>"));
    EXPECT_EQ(window.frameGeometry().left(), 0);
    run(QStringLiteral("HOST.RESIZABLE=FALSE>"));
    EXPECT_EQ(window.minimumSize(), window.maximumSize());
    run(QStringLiteral("HOST.RESIZABLE=TRUE>"));
    EXPECT_NE(window.minimumSize(), window.maximumSize());
}

TEST_F(ProcessorTest, ANonNumberIsReportedAndEndsTheScriptThere)
{
    run(QStringLiteral("TABSTRIP.TABCAPTION(2)=Before HOST.LEFT=abc "
                       "TABSTRIP.TABCAPTION(3)=After>"));
    EXPECT_EQ(messageTexts(), QStringList{"13 Type mismatch At ProcessScript"});
    EXPECT_EQ(host.caption(3), QStringLiteral("After"));
    EXPECT_NE(host.caption(2), QStringLiteral("Before "));
}

TEST_F(ProcessorTest, HugeAndStrangeValuesNeverCrash)
{
    run(QStringLiteral("TABSTRIP.TABSELECT=1e300 BUTTON.VISIBLE(1e300)=TRUE>"));
    EXPECT_EQ(messageTexts(), QStringList{"6 Overflow At ProcessScript"});
    prompts.clear();
    run(QStringLiteral("TABSTRIP.TABCAPTION(1e300)=x HOST.WIDTH=1e39>"));
    EXPECT_EQ(messageTexts(), QStringList{"6 Overflow At ProcessScript"});
    prompts.clear();
    QString many;
    for (int i = 0; i < 10000; ++i)
        many += QStringLiteral("TABSTRIP.TABCAPTION(%1)=\"T %1\" ").arg(i % 40);
    run(many.trimmed() + QStringLiteral(">"));
    EXPECT_TRUE(prompts.messages().empty());
    run(QStringLiteral("A)(=1>"));
    EXPECT_EQ(messageTexts(),
              QStringList{"5 Invalid procedure call or argument At ProcessPelScript"});
}

TEST_F(ProcessorTest, ACompletedPageRunsItsScriptButAnOlderPagesMarkupIsDropped)
{
    browser(5).body =
        QStringLiteral("<SCRIPT LANGUAGE=PELSCRIPT>TABSTRIP.TABCAPTION(5)=Mine></SCRIPT>");
    browser(5).load(QStringLiteral("http://scripted.example/"));
    EXPECT_EQ(host.caption(5), QStringLiteral("Mine"));

    std::function<void(const QString &)> late;
    browser(6).deferBody = &late;
    browser(6).body =
        QStringLiteral("<SCRIPT LANGUAGE=PELSCRIPT>TABSTRIP.TABCAPTION(6)=Old></SCRIPT>");
    browser(6).load(QStringLiteral("http://first.example/"));
    browser(6).startLoad(QStringLiteral("http://second.example/"));
    late(browser(6).body);
    EXPECT_NE(host.caption(6), QStringLiteral("Old"));
}
