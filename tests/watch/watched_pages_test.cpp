#include "platform/desktop_notifier.h"
#include "support/wait.h"
#include "tabs/tab_strip.h"
#include "watch/part_picking.h"
#include "watch/tab_wall.h"
#include "watch/tab_watching.h"
#include "watch/watch_options.h"
#include "watch/watched_pages.h"
#include "watch/watched_pages_fixture.h"

#include <QCheckBox>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTabBar>

using namespace pelquin;

using WatchedPagesTest = test::WatchedPagesFixture;

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
