#include "platform/desktop_notifier.h"
#include "support/recording_notifier.h"
#include "support/temp_home.h"
#include "support/wait.h"
#include "support/window_parts_fixture.h"
#include "tabs/tab_strip.h"
#include "watch/tab_wall.h"
#include "watch/tab_watching.h"
#include "watch/text_versions.h"
#include "watch/watch_options.h"
#include "watch/part_picking.h"
#include "watch/watched_pages.h"
#include "watch/what_changed_view.h"

#include <QCheckBox>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QMessageBox>
#include <QStatusBar>
#include <QTabBar>
#include <QTest>
#include <QTextBrowser>
#include <QTextDocument>

using namespace pelquin;

namespace {

// Tabs 3 and 5 watched by the rules of a Watch.json in the application folder; the user
// looks at tab 4.
class WatchedPagesTest : public test::WatchingFixture {
protected:
    void SetUp() override
    {
        session.appFolder = home.folder();
        clock.set(QDateTime(QDate(2026, 3, 2), QTime(14, 7)));
        setProfile({{3, site(3)}, {4, site(4)}, {5, site(5)}});
    }
    void writeRules(const QByteArray &json) { home.write(QStringLiteral("Watch.json"), json); }
    // Builds the watching anew, reading the rules, and loads the tabs' first pages.
    void start(const QString &three, const QString &five = QStringLiteral("five"))
    {
        watch(&notices);
        browser(3).visibleText = three;
        browser(3).regionText = three;
        browser(5).visibleText = five;
        for (int t : {3, 4, 5})
            browser(t).load(site(t));
        strip.select(4);
    }
    void reload(int t, const QString &text)
    {
        browser(t).visibleText = text;
        browser(t).regionText = text;
        browser(t).load(site(t));
    }
    QString tipOf(int t) { return strip.bar()->tabToolTip(t - 1); }

    test::TempHome home;
    test::RecordingNotifier notices;
};

}  // namespace

TEST_F(WatchedPagesTest, APartOfThePageIsWatchedAndTheRestIsNot)
{
    writeRules(R"({"rules": [{"address": "http://site3.example/*", "region": "#queue"}]})");
    start(QStringLiteral("Queue: 4"));
    EXPECT_EQ(browser(3).watchedRegion, QStringLiteral("#queue"));
    EXPECT_EQ(browser(5).watchedRegion, QString());
    browser(3).visibleText = QStringLiteral("Queue: 4\nLast scrape 2s ago");
    browser(3).load(site(3));  // the part is the same, the rest of the page is not
    EXPECT_FALSE(strip.changedMark(3));
    reload(3, QStringLiteral("Queue: 5"));
    EXPECT_TRUE(strip.changedMark(3));
}

TEST_F(WatchedPagesTest, NumbersAndIgnoredLinesDoNotMarkButOtherWordsDo)
{
    writeRules(R"({"rules": [{"address": "http://site3.example/", "ignoreNumbers": true,
                              "ignore": ["^Updated"]}]})");
    start(QStringLiteral("Node a up\n10:41:07 load 0.52\nUpdated by cron"));
    reload(3, QStringLiteral("Node a up\n10:42:19 load 0.61\nUpdated by someone else"));
    browser(3).changeText(QStringLiteral("Node a up\n10:42:29 load 0.7\nUpdated later"));
    EXPECT_FALSE(strip.changedMark(3));
    browser(3).changeText(QStringLiteral("Node a DOWN\n10:42:39 load 0.7"));
    EXPECT_TRUE(strip.changedMark(3));
    // A page without a rule is compared whole, as before.
    reload(5, QStringLiteral("five at 10:43"));
    EXPECT_TRUE(strip.changedMark(5));
}

TEST_F(WatchedPagesTest, AnAlertFiresWhenItsConditionTurnsTrueAndSelectingTheTabClearsIt)
{
    writeRules(R"({"rules": [{"address": "http://site3.example/", "appears": "In stock"},
                             {"address": "http://site5.example/", "below": 70}]})");
    start(QStringLiteral("Sold out"), QStringLiteral("Battery 80%"));
    watching->applyOptions(WatchOptions{true, 0});
    reload(3, QStringLiteral("In stock: 2"));
    strip.applyPendingLooks();
    EXPECT_TRUE(strip.alertMark(3));
    EXPECT_TRUE(tipOf(3).endsWith(QStringLiteral("\nFound \"In stock\" (14:07)"))) << qPrintable(tipOf(3));
    EXPECT_EQ(notices.summaries, QStringList{QStringLiteral("3|Tab 3: found \"In stock\"")});
    // While it stays true, nothing fires again.
    reload(3, QStringLiteral("In stock: 1"));
    EXPECT_EQ(notices.summaries.size(), 1);
    watching->wall().open();
    EXPECT_EQ(watching->wall().tile(tab(3))->state(), TileState::Alert);
    watching->wall().close();

    clock.advance(60);
    browser(5).changeText(QStringLiteral("Battery 68%"));
    EXPECT_TRUE(tipOf(5).endsWith(QStringLiteral("\nBelow 70: 68 (14:08)")));
    // The key goes to alerts first, in tab order, and says why.
    reload(4, QStringLiteral("the tab looked at"));
    strip.select(1);
    reload(4, QStringLiteral("changed behind the user's back"));
    watching->goToNextChangedTab();
    EXPECT_EQ(strip.selected(), 3);
    EXPECT_EQ(window.findChild<QStatusBar *>()->currentMessage(),
              QStringLiteral("Tab 3: found \"In stock\" at 14:07"));
    EXPECT_FALSE(strip.alertMark(3));
    watching->goToNextChangedTab();
    EXPECT_EQ(strip.selected(), 5);
    watching->goToNextChangedTab();
    EXPECT_EQ(strip.selected(), 4);  // then the changed one
    watch(nullptr);
}

TEST_F(WatchedPagesTest, ADamagedFileIsNamedTheGoodRulesStillApplyAndAMendedFileIsReadAgain)
{
    writeRules(R"({"rules": [{"address": "http://site3.example/", "ignoreNumbers": true},
                             {"address": "http://site5.example/", "ignore": ["("]}]})");
    start(QStringLiteral("3 tickets"));
    auto *box = window.findChild<QMessageBox *>(QStringLiteral("watchRuleProblems"));
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(box->text().contains(QStringLiteral("Watch.json, rule 2")));
    EXPECT_EQ(box->windowModality(), Qt::NonModal);
    reload(3, QStringLiteral("4 tickets"));
    EXPECT_FALSE(strip.changedMark(3));  // rule 1 holds

    writeRules(R"({"rules": [{"address": "http://site3.example/", "region": ".total"}]})");
    EXPECT_TRUE(test::waitFor([&] { return !browser(3).watchedRegion.isEmpty(); }, 5000));
    EXPECT_EQ(browser(3).watchedRegion, QStringLiteral(".total"));
}

TEST_F(WatchedPagesTest, TheWatchedTextIsKeptAsVersionsThatOutlastTheRun)
{
    start(QStringLiteral("first"));
    clock.advance(60);
    reload(3, QStringLiteral("second"));
    const QList<TextVersion> kept = TextVersions(home.folder(), false).versions(site(3));
    ASSERT_EQ(kept.size(), 2);
    EXPECT_EQ(kept[0].text, QStringLiteral("first"));
    EXPECT_EQ(kept[1].text, QStringLiteral("second"));
    EXPECT_EQ(kept[1].time, clock.now());
}


TEST_F(WatchedPagesTest, AClockAloneKeepsNoNewVersionsShownOrNot)
{
    writeRules(R"({"rules": [{"address": "http://site3.example/", "ignoreNumbers": true}]})");
    start(QStringLiteral("Node a up at 10:41:07"));
    auto tick = [&](int second) {
        clock.advance(10);
        browser(3).changeText(
            QStringLiteral("Node a up at 10:41:%1").arg(second, 2, 10, QLatin1Char('0')));
    };
    for (int second = 8; second < 12; ++second)
        tick(second);
    strip.select(3);  // on screen, the page is read as it moves
    for (int second = 12; second < 16; ++second)
        tick(second);
    clock.advance(10);
    browser(3).changeText(QStringLiteral("Node a DOWN at 10:41:17"));
    clock.advance(10);
    browser(3).changeText(QStringLiteral("Node a DOWN at 10:41:19"));
    // What Changed shows the page as it is now, clock and all, and keeps nothing new for it.
    watching->toggleWhatChanged();
    ASSERT_TRUE(watching->whatChanged().isOpen());
    EXPECT_TRUE(watching->whatChanged().text().toPlainText().endsWith(u"10:41:19"));
    const QList<TextVersion> kept = TextVersions(home.folder(), false).versions(site(3));
    ASSERT_EQ(kept.size(), 2);
    EXPECT_EQ(kept[0].text, QStringLiteral("Node a up at 10:41:07"));
    EXPECT_EQ(kept[1].text, QStringLiteral("Node a DOWN at 10:41:17"));
}

TEST_F(WatchedPagesTest, WhatChangedShowsTheTextAsLastSeenAndAsItIsNowAndStepsThroughVersions)
{
    start(QStringLiteral("Queue: 4 tickets, Bob on call"));
    strip.select(3);
    strip.select(4);  // the user saw tab 3 and left it
    clock.advance(60);
    reload(3, QStringLiteral("Queue: 5 tickets, Bob on call"));
    clock.advance(60);
    reload(3, QStringLiteral("Queue: 5 tickets, Ann on call"));
    strip.select(3);
    watching->toggleWhatChanged();
    WhatChangedView &view = watching->whatChanged();
    ASSERT_TRUE(view.isOpen());
    EXPECT_EQ(view.text().accessibleName(), QStringLiteral("What changed"));
    EXPECT_TRUE(view.heading().startsWith(QStringLiteral("Tab 3: from "))) << qPrintable(view.heading());
    const QString html = view.text().toHtml();
    EXPECT_TRUE(html.contains(QStringLiteral("text-decoration: line-through"))) << qPrintable(html);
    EXPECT_EQ(view.text().toPlainText(), QStringLiteral("Queue: 4 5 tickets, Bob Ann on call"));
    // Left: the change the version before made.
    QTest::keyClick(&view.text(), Qt::Key_Left);
    EXPECT_EQ(view.text().toPlainText(), QStringLiteral("Queue: 4 5 tickets, Bob on call"));
    QTest::keyClick(&view.text(), Qt::Key_Right);
    EXPECT_EQ(view.text().toPlainText(), QStringLiteral("Queue: 5 tickets, Bob Ann on call"));
    QTest::keyClick(&view.text(), Qt::Key_Escape);
    EXPECT_FALSE(view.isOpen());
    EXPECT_EQ(strip.selected(), 3);
}

TEST(WhatChangedText, AReplacedWordStandsOnTheLineOfItsReplacementAndARemovedLineKeepsItsBreak)
{
    QTextDocument shown;
    shown.setHtml(WhatChangedView::changesHtml(QStringLiteral("Node b up\n\nChecked 10:41"),
                                               QStringLiteral("Node b DOWN\n\nChecked 10:41")));
    EXPECT_EQ(shown.toPlainText(), QStringLiteral("Node b up DOWN\n\nChecked 10:41"));
    shown.setHtml(WhatChangedView::changesHtml(QStringLiteral("Node a up\nNode b up\nEnd"),
                                               QStringLiteral("Node a up\nEnd")));
    EXPECT_EQ(shown.toPlainText(), QStringLiteral("Node a up\nNode b up\nEnd"));
}

TEST_F(WatchedPagesTest, WhatChangedOutlastsARestartAndShowsPageWordsAsText)
{
    start(QStringLiteral("<b>one</b>"));
    clock.advance(60);
    reload(3, QStringLiteral("<b>two</b> <img src=x>"));
    watch(nullptr);  // a new run reads the kept versions
    strip.select(3);
    watching->toggleWhatChanged();
    ASSERT_TRUE(watching->whatChanged().isOpen());
    EXPECT_EQ(watching->whatChanged().text().toPlainText(),
              QStringLiteral("<b>one</b> <b>two</b> <img src=x>"));
}

TEST_F(WatchedPagesTest, WhatChangedComparesWithWhatTheUserSawEvenWhenItsVersionWasDropped)
{
    // Two versions of a large page are more than a page keeps.
    const QString words = QStringLiteral("word ").repeated(120 * 1024);
    const QString before = QStringLiteral("Ann on call. ") + words;
    const QString after = QStringLiteral("Bob on call. ") + words;
    start(before);
    strip.select(3);
    strip.select(4);
    clock.advance(60);
    reload(3, after);
    ASSERT_EQ(TextVersions(home.folder(), false).versions(site(3)).size(), 1);
    strip.select(3);
    watching->toggleWhatChanged();
    ASSERT_TRUE(watching->whatChanged().isOpen());
    EXPECT_TRUE(watching->whatChanged().text().toPlainText().startsWith(
        QStringLiteral("Ann Bob on call.")));
}

namespace {

QJsonObject onlyRule(const QByteArray &file)
{
    const QJsonArray rules = QJsonDocument::fromJson(file).object().value(u"rules").toArray();
    return rules.size() == 1 ? rules.first().toObject() : QJsonObject();
}

}  // namespace

TEST_F(WatchedPagesTest, WatchSettingsMakesARuleThatTakesEffectAtOkAndIsWrittenToTheFile)
{
    start(QStringLiteral("Queue: 4"));
    strip.select(3);
    bool problemsShown = false;
    prompts.onNextForm([&](QDialog &dialog) {
        EXPECT_EQ(dialog.findChild<QLineEdit *>(QStringLiteral("addressEdit"))->text(), site(3));
        EXPECT_FALSE(dialog.findChild<QPushButton *>(QStringLiteral("stopButton"))->isEnabled());
        dialog.findChild<QLineEdit *>(QStringLiteral("regionEdit"))->setText(QStringLiteral("#queue"));
        dialog.findChild<QPlainTextEdit *>(QStringLiteral("ignoreEdit"))->setPlainText(QStringLiteral("("));
        dialog.findChild<QLineEdit *>(QStringLiteral("appearsEdit"))->setText(QStringLiteral("In stock"));
        dialog.findChild<QCheckBox *>(QStringLiteral("ignoreNumbersCheck"))->setChecked(true);
        dialog.findChild<QPushButton *>(QStringLiteral("okButton"))->click();
        auto *problems = dialog.findChild<QLabel *>(QStringLiteral("problemsLabel"));
        problemsShown = !problems->isHidden() && problems->text().contains(QStringLiteral("ignore"));
        EXPECT_EQ(dialog.result(), 0);  // still open
        dialog.findChild<QPlainTextEdit *>(QStringLiteral("ignoreEdit"))->setPlainText(QStringLiteral("^Updated"));
        dialog.findChild<QPushButton *>(QStringLiteral("okButton"))->click();
        return dialog.result();
    });
    watching->editWatchSettings();
    EXPECT_TRUE(problemsShown);
    EXPECT_EQ(browser(3).watchedRegion, QStringLiteral("#queue"));
    const QJsonObject rule = onlyRule(home.read(QStringLiteral("Watch.json")));
    EXPECT_EQ(rule.value(u"address").toString(), site(3));
    EXPECT_EQ(rule.value(u"region").toString(), QStringLiteral("#queue"));
    EXPECT_EQ(rule.value(u"ignore").toArray(), QJsonArray{QStringLiteral("^Updated")});
    EXPECT_TRUE(rule.value(u"ignoreNumbers").toBool());
    EXPECT_EQ(rule.value(u"appears").toString(), QStringLiteral("In stock"));
}

TEST_F(WatchedPagesTest, WatchSettingsKeepsKeysItDoesNotShowAndStopWatchingTakesTheRuleAway)
{
    writeRules(R"({"rules": [{"address": "http://site3.example/*", "region": "#queue",
                              "mine": {"kept": true}}], "note": "by hand"})");
    start(QStringLiteral("Queue: 4"));
    strip.select(3);
    prompts.onNextForm([](QDialog &dialog) {
        EXPECT_EQ(dialog.findChild<QLineEdit *>(QStringLiteral("addressEdit"))->text(),
                  QStringLiteral("http://site3.example/*"));
        dialog.findChild<QLineEdit *>(QStringLiteral("belowEdit"))->setText(QStringLiteral("70"));
        dialog.findChild<QPushButton *>(QStringLiteral("okButton"))->click();
        return dialog.result();
    });
    watching->editWatchSettings();
    const QByteArray file = home.read(QStringLiteral("Watch.json"));
    EXPECT_EQ(onlyRule(file).value(u"below").toDouble(), 70);
    EXPECT_TRUE(onlyRule(file).value(u"mine").toObject().value(u"kept").toBool());
    EXPECT_EQ(QJsonDocument::fromJson(file).object().value(u"note").toString(),
              QStringLiteral("by hand"));

    prompts.onNextForm([](QDialog &dialog) {
        dialog.findChild<QPushButton *>(QStringLiteral("stopButton"))->click();
        return dialog.result();
    });
    watching->editWatchSettings();
    EXPECT_EQ(browser(3).watchedRegion, QString());
    EXPECT_TRUE(QJsonDocument::fromJson(home.read(QStringLiteral("Watch.json")))
                    .object().value(u"rules").toArray().isEmpty());
}

TEST_F(WatchedPagesTest, WatchSettingsEditsTheHoursTheStalenessAndTheTimeOnScreen)
{
    writeRules(R"({"rules": [{"address": "http://site3.example/*"}]})");
    start(QStringLiteral("Queue: 4"));
    strip.select(3);
    QString firstProblem;
    prompts.onNextForm([&](QDialog &dialog) {
        auto *hours = dialog.findChild<QPlainTextEdit *>(QStringLiteral("hoursEdit"));
        hours->setPlainText(QStringLiteral("Mon-Fri 08:00-18:00\nSat 25:00-26:00"));
        dialog.findChild<QLineEdit *>(QStringLiteral("staleMinutesEdit"))
            ->setText(QStringLiteral("30"));
        dialog.findChild<QLineEdit *>(QStringLiteral("showSecondsEdit"))
            ->setText(QStringLiteral("45"));
        auto *ok = dialog.findChild<QPushButton *>(QStringLiteral("okButton"));
        ok->click();  // a bad range is named and the dialog stays
        firstProblem = dialog.findChild<QLabel *>(QStringLiteral("problemsLabel"))->text();
        hours->setPlainText(QStringLiteral("Mon-Fri 08:00-18:00\nDaily 22:00-06:00"));
        ok->click();
        return dialog.result();
    });
    watching->editWatchSettings();
    EXPECT_TRUE(firstProblem.contains(QStringLiteral("Sat 25:00-26:00"))) << qPrintable(firstProblem);
    const QJsonObject rule = onlyRule(home.read(QStringLiteral("Watch.json")));
    EXPECT_EQ(rule.value(u"hours").toArray(),
              (QJsonArray{QStringLiteral("Mon-Fri 08:00-18:00"), QStringLiteral("Daily 22:00-06:00")}));
    EXPECT_EQ(rule.value(u"staleMinutes").toDouble(), 30);
    EXPECT_EQ(rule.value(u"showSeconds").toDouble(), 45);
}

TEST_F(WatchedPagesTest, AFileThatCouldNotBeReadIsNeverWrittenOverAndTheUserIsTold)
{
    writeRules("{\"rules\": [ not json");
    start(QStringLiteral("Queue: 4"));
    strip.select(3);
    prompts.onNextForm([](QDialog &dialog) {
        dialog.findChild<QLineEdit *>(QStringLiteral("regionEdit"))->setText(QStringLiteral("#queue"));
        dialog.findChild<QPushButton *>(QStringLiteral("okButton"))->click();
        return dialog.result();
    });
    watching->editWatchSettings();
    EXPECT_EQ(home.read(QStringLiteral("Watch.json")), QByteArray("{\"rules\": [ not json"));
    ASSERT_FALSE(prompts.messages().empty());
    EXPECT_TRUE(prompts.messages().back().text.contains(QStringLiteral("mended")))
        << qPrintable(prompts.messages().back().text);
    EXPECT_EQ(browser(3).watchedRegion, QStringLiteral("#queue"));  // in force for this run
}

TEST_F(WatchedPagesTest, APartPickedFromThePageMenuBecomesTheRuleOfThePage)
{
    start(QStringLiteral("Queue: 4"));
    strip.select(3);
    browser(3).pickedParts = {QStringLiteral("#queue > p:nth-of-type(1)"), QStringLiteral("#queue"),
                              QStringLiteral("body")};
    emit browser(3).watchPartAsked();
    PartPicking &picking = watching->partPicking();
    ASSERT_TRUE(picking.isVisible());
    EXPECT_TRUE(picking.shownText().contains(QStringLiteral("#queue > p:nth-of-type(1)")));
    picking.findChild<QPushButton *>(QStringLiteral("widerButton"))->click();
    picking.findChild<QPushButton *>(QStringLiteral("widerButton"))->click();
    picking.findChild<QPushButton *>(QStringLiteral("narrowerButton"))->click();
    EXPECT_EQ(picking.selector(), QStringLiteral("#queue"));
    EXPECT_EQ(browser(3).picks, (QList<PickStep>{PickStep::Start, PickStep::Wider, PickStep::Wider,
                                                 PickStep::Narrower}));
    picking.findChild<QPushButton *>(QStringLiteral("watchButton"))->click();
    EXPECT_FALSE(picking.isVisible());
    EXPECT_EQ(browser(3).pickingEnded, 1);
    EXPECT_EQ(browser(3).watchedRegion, QStringLiteral("#queue"));
    EXPECT_TRUE(browser(3).watchRuleApplies);
    EXPECT_EQ(onlyRule(home.read(QStringLiteral("Watch.json"))).value(u"region").toString(),
              QStringLiteral("#queue"));

    // The page menu's Stop Watching takes it away.
    emit browser(3).stopWatchingAsked();
    EXPECT_EQ(browser(3).watchedRegion, QString());
    EXPECT_FALSE(browser(3).watchRuleApplies);
}

TEST_F(WatchedPagesTest, PickingEndsWithoutARuleOnCancelOrWhenTheUserGoesToAnotherTab)
{
    start(QStringLiteral("Queue: 4"));
    strip.select(3);
    browser(3).pickedParts = {QStringLiteral("#queue")};
    emit browser(3).watchPartAsked();
    strip.select(4);
    EXPECT_FALSE(watching->partPicking().isVisible());
    EXPECT_EQ(browser(3).pickingEnded, 1);
    strip.select(3);
    emit browser(3).watchPartAsked();
    watching->partPicking().findChild<QPushButton *>(QStringLiteral("cancelButton"))->click();
    EXPECT_EQ(browser(3).pickingEnded, 2);
    EXPECT_FALSE(QFile::exists(home.file(QStringLiteral("Watch.json"))));
    EXPECT_EQ(browser(3).watchedRegion, QString());
}

TEST_F(WatchedPagesTest, ASelectorThePageDoesNotTakeIsNamedOnce)
{
    writeRules(R"json({"rules": [{"address": "http://site5.example/"},
                    {"address": "http://site3.example/", "region": "div:bogus(1)"}]})json");
    start(QStringLiteral("Queue: 4"));
    EXPECT_EQ(window.findChild<QMessageBox *>(QStringLiteral("watchRuleProblems")), nullptr);
    emit browser(3).watchedPartRefused(QStringLiteral("div:bogus(1)"));
    auto *box = window.findChild<QMessageBox *>(QStringLiteral("watchRuleProblems"));
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(box->text().contains(QStringLiteral("Watch.json, rule 2: \"region\" \"div:bogus(1)\"")))
        << qPrintable(box->text());
    box->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    emit browser(3).watchedPartRefused(QStringLiteral("div:bogus(1)"));
    EXPECT_EQ(window.findChild<QMessageBox *>(QStringLiteral("watchRuleProblems")), nullptr);
}
