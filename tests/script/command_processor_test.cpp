#include "tabs/tab_collection.h"
#include "platform/text_file.h"
#include "platform/twips.h"
#include "script/command_processor.h"
#include "script/page_script.h"
#include "commands/speed_menu.h"
#include "shell/window_layout.h"
#include "support/shell_fixture.h"
#include "shell/button_bar.h"
#include "tabs/tab_strip.h"

#include <QAction>
#include <QComboBox>
#include <QGuiApplication>
#include <QScreen>
#include <QUrl>

using namespace pelquin;
using pelquin::test::ShellFixture;

class ProcessorTest : public ShellFixture {
protected:
    void SetUp() override
    {
        storeNormalWindow(12000, 9000);
        start();
        prompts.clear();
    }
    void run(const QString &script) { window->pageScript().process(script + QLatin1Char(' ')); }
    TabStrip &strip() { return window->tabStrip(); }
};

TEST_F(ProcessorTest, StatementsRunFromTheLastToTheFirst)
{
    run(QStringLiteral("TABSTRIP.TABCAPTION(1)=A TABSTRIP.TABCAPTION(1)=B>"));
    EXPECT_EQ(strip().caption(1), QStringLiteral("A "));
    EXPECT_EQ(window->tabs().tab(1).state().scriptCaption, QStringLiteral("A "));
}

TEST_F(ProcessorTest, CountReCreatesBareTabsAfterTheCaptionIsSet)
{
    run(QStringLiteral("TABSTRIP.COUNT=5 TABSTRIP.TABCAPTION(1)=Home>"));
    EXPECT_EQ(strip().count(), 5);
    EXPECT_EQ(strip().caption(1), QString());
    EXPECT_EQ(window->tabs().tab(1).state().scriptCaption, QStringLiteral("Home"));
    run(QStringLiteral("TABSTRIP.COUNT=99>"));
    EXPECT_EQ(strip().count(), 30);
    run(QStringLiteral("TABSTRIP.COUNT=-4>"));
    EXPECT_EQ(strip().count(), 1);
    EXPECT_TRUE(prompts.messages().empty());
}

TEST_F(ProcessorTest, ACountThatIsNoNumberLeavesOneTabAndIsReported)
{
    run(QStringLiteral("TABSTRIP.COUNT=abc>"));
    EXPECT_EQ(strip().count(), 1);
    EXPECT_EQ(messageTexts(), QStringList{"13 Type mismatch At ProcessScript"});
}

TEST_F(ProcessorTest, NavigateNeedsATabFromOneTo29AndRefusesJavascript)
{
    run(QStringLiteral("BROWSER.NAVIGATE(30)=about:blank>"));
    run(QStringLiteral("BROWSER.NAVIGATE=about:blank>"));
    EXPECT_TRUE(browser(30).navigations.isEmpty());
    run(QStringLiteral("BROWSER.NAVIGATE(4)=\" JavaScript:alert(1)\" BROWSER.NAVIGATE(5)=x.example>"));
    EXPECT_TRUE(browser(4).navigations.isEmpty());
    EXPECT_EQ(browser(5).navigations, QStringList{"http://x.example"});
    EXPECT_EQ(browser(5).blanks, 1);
    browser(6).hasDocument = false;
    run(QStringLiteral("BROWSER.NAVIGATE(6)=y.example>"));
    EXPECT_EQ(browser(6).navigations, QStringList{"http://y.example"});
    EXPECT_TRUE(prompts.messages().empty());
}

TEST_F(ProcessorTest, AnyIndexIsRoundedBeforeItIsChecked)
{
    for (int t = 1; t <= 30; ++t)
        browser(t).navigations.clear();
    run(QStringLiteral("BROWSER.NAVIGATE(0.4)=x.example BROWSER.NAVIGATE(-3)=x.example "
                       "BROWSER.NAVIGATE()=x.example BROWSER.NAVIGATE(29.6)=x.example>"));
    for (int t = 1; t <= 30; ++t)
        EXPECT_TRUE(browser(t).navigations.isEmpty()) << t;
    EXPECT_TRUE(prompts.messages().empty());
    run(QStringLiteral("BROWSER.NAVIGATE(1.4)=x.example BUTTON.VISIBLE(0.4)=FALSE "
                       "TABSTRIP.TABCAPTION(0.4)=zero TABSTRIP.TABCAPTION(30.4)=last>"));
    EXPECT_EQ(browser(1).navigations, QStringList{"http://x.example"});
    EXPECT_NE(strip().caption(1), QStringLiteral("zero"));
    EXPECT_EQ(strip().caption(30), QStringLiteral("last"));
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
        window->pageScript().process(script + QLatin1Char(' '), page);
    };
    runFrom(QStringLiteral("BROWSER.NAVIGATE(3)=\"\tjavascript:fetch('/x-'+document.cookie)\" "
                           "BROWSER.NAVIGATE(4)=\"java\nscript:alert(1)\" "
                           "BROWSER.NAVIGATE(5)=JavaScript:alert(1) "
                           "BROWSER.NAVIGATE(6)=file:///etc/hostname "
                           "BROWSER.NAVIGATE(7)=/etc/hostname "
                           "BROWSER.NAVIGATE(8)=data:text/html,x "
                           "BROWSER.NAVIGATE(9)=view-source:http://a.example/>"));
    for (int t = 3; t <= 9; ++t) {
        EXPECT_TRUE(browser(t).navigations.isEmpty()) << t;
        EXPECT_EQ(browser(t).blanks, 0) << t;
    }
    EXPECT_TRUE(prompts.messages().empty());
    runFrom(QStringLiteral("BROWSER.NAVIGATE(10)=\" https://b.example/\tx \">"));
    EXPECT_EQ(browser(10).navigations, QStringList{"https://b.example/x"});
}

TEST_F(ProcessorTest, OurOwnFavoritesPageMayStillOpenFiles)
{
    writeTextFile(home.file("FAVES.HTM"), {QStringLiteral("<HTML></HTML>")});
    const QString page = QUrl::fromLocalFile(home.file("FAVES.HTM")).toString();
    window->pageScript().process(
        QStringLiteral("BROWSER.NAVIGATE(3)=file:///tmp/a.htm BROWSER.NAVIGATE(4)=javascript:1> "),
        page);
    EXPECT_EQ(browser(3).navigations, QStringList{"file:///tmp/a.htm"});
    EXPECT_TRUE(browser(4).navigations.isEmpty());
}

TEST_F(ProcessorTest, IndexChecksSkipStatementsSilently)
{
    run(QStringLiteral("BUTTON.VISIBLE(0)=FALSE TABSTRIP.TABSELECT=0 BUTTON.VISIBLE(13)=FALSE>"));
    EXPECT_TRUE(prompts.messages().empty());
    run(QStringLiteral("BUTTON.VISIBLE(3)=false TABSTRIP.TABSELECT=\" 7 \">"));
    EXPECT_FALSE(window->buttons().visibleAt(3));
    EXPECT_EQ(strip().selected(), 7);
    run(QStringLiteral("BUTTON.VISIBLE(3)=TRUE>"));
    EXPECT_TRUE(window->buttons().visibleAt(3));
}

TEST_F(ProcessorTest, BarCommandsNeverToggleABarIntoItsOwnState)
{
    run(QStringLiteral("BUTTONBAR.VISIBLE=FALSE>"));
    EXPECT_TRUE(window->buttons().isHidden());
    run(QStringLiteral("BUTTONBAR.VISIBLE=FALSE>"));
    EXPECT_TRUE(window->buttons().isHidden());
    run(QStringLiteral("BUTTONBAR.VISIBLE=TRUE DROPDOWN.VISIBLE=FALSE STATUSBAR.VISIBLE=FALSE>"));
    EXPECT_FALSE(window->buttons().isHidden());
    EXPECT_TRUE(window->windowLayout().bars().addressHidden);
    EXPECT_TRUE(window->windowLayout().bars().statusHidden);
    run(QStringLiteral("TABSTRIP.VISIBLE=FALSE>"));
    EXPECT_TRUE(strip().isHidden());
    run(QStringLiteral("TABSTRIP.VISIBLE=maybe>"));
    EXPECT_TRUE(strip().isHidden());
}

TEST_F(ProcessorTest, MenuVisibleTakesAnyLetterCaseAndBlanks)
{
    run(QStringLiteral("MENU.VISIBLE=\"false \">"));
    EXPECT_FALSE(window->menu().allowedByPage());
    run(QStringLiteral("menu.visible=True>"));
    EXPECT_TRUE(window->menu().allowedByPage());
}

TEST_F(ProcessorTest, HostCommandsUnMaximiseAndPlaceTheWindowWithinReach)
{
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    window->showMaximized();
    run(QStringLiteral("HOST.RESIZABLE=TRUE>"));
    EXPECT_FALSE(window->isMaximized());
    run(QStringLiteral("HOST.LEFT=1500 HOST.TOP=750 HOST.WIDTH=10500 HOST.HEIGHT=6000>"));
    EXPECT_EQ(window->frameGeometry(), QRect(100, 50, 700, 400));
    run(QStringLiteral("HOST.LEFT=-99999999 HOST.TOP=99999999>"));
    EXPECT_GT(window->frameGeometry().right(), screen.left());
    EXPECT_LT(window->frameGeometry().top(), screen.bottom());
    run(QStringLiteral("HOST.WIDTH=999999999 HOST.HEIGHT=999999999>"));
    EXPECT_LE(window->frameGeometry().width(), screen.width());
    EXPECT_LE(window->frameGeometry().height(), screen.height());
    EXPECT_TRUE(screen.intersects(window->frameGeometry()));
    run(QStringLiteral("HOST.WIDTH=10>"));
    EXPECT_EQ(window->frameGeometry().width(), toPixels(9195));
    run(QStringLiteral("HOST.LEFT>"));
    EXPECT_EQ(window->frameGeometry().left(), 0);
    run(QStringLiteral("HOST.RESIZABLE=FALSE>"));
    EXPECT_EQ(window->minimumSize(), window->maximumSize());
    run(QStringLiteral("HOST.RESIZABLE=TRUE>"));
    EXPECT_NE(window->minimumSize(), window->maximumSize());
}

TEST_F(ProcessorTest, ANonNumberIsReportedAndEndsTheScriptThere)
{
    run(QStringLiteral("TABSTRIP.TABCAPTION(2)=Before HOST.LEFT=abc TABSTRIP.TABCAPTION(3)=After>"));
    EXPECT_EQ(messageTexts(), QStringList{"13 Type mismatch At ProcessScript"});
    EXPECT_EQ(strip().caption(3), QStringLiteral("After"));
    EXPECT_NE(strip().caption(2), QStringLiteral("Before "));
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
    EXPECT_EQ(messageTexts(), QStringList{"5 Invalid procedure call or argument At ProcessPelScript"});
}

TEST_F(ProcessorTest, ACompletedPageRunsItsScriptButAnOlderPagesMarkupIsDropped)
{
    browser(5).body = QStringLiteral("<SCRIPT LANGUAGE=PELSCRIPT>TABSTRIP.TABCAPTION(5)=Mine></SCRIPT>");
    browser(5).load(QStringLiteral("http://scripted.example/"));
    EXPECT_EQ(strip().caption(5), QStringLiteral("Mine"));

    std::function<void(const QString &)> late;
    browser(6).deferBody = &late;
    browser(6).body = QStringLiteral("<SCRIPT LANGUAGE=PELSCRIPT>TABSTRIP.TABCAPTION(6)=Old></SCRIPT>");
    browser(6).load(QStringLiteral("http://first.example/"));
    browser(6).startLoad(QStringLiteral("http://second.example/"));
    late(browser(6).body);
    EXPECT_NE(strip().caption(6), QStringLiteral("Old"));
}
