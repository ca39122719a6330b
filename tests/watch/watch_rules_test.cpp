#include "watch/watch_rules.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace pelquin;

namespace {

class WatchRulesFile : public ::testing::Test {
protected:
    QString path() const { return m_dir.filePath(QStringLiteral("Watch.json")); }

    void write(const QByteArray &bytes) const
    {
        QFile file(path());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    QByteArray contents() const
    {
        QFile file(path());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // Rules read from a file holding `json`.
    WatchRules load(const QByteArray &json, bool privateRun = false) const
    {
        write(json);
        WatchRules rules(path(), privateRun);
        rules.load();
        return rules;
    }

    // The one message of a file whose only rule is `rule`.
    QString messageFor(const QByteArray &rule) const
    {
        const WatchRules rules = load("{\"rules\": [" + rule + "]}");
        EXPECT_EQ(rules.messages().size(), 1);
        return rules.messages().value(0);
    }

private:
    QTemporaryDir m_dir;
};

}  // namespace

TEST_F(WatchRulesFile, AMissingFileMeansNoRulesAndNoMessage)
{
    WatchRules rules(path(), false);
    rules.load();
    EXPECT_TRUE(rules.rules().empty());
    EXPECT_TRUE(rules.messages().isEmpty());
    EXPECT_TRUE(rules.readWhole());
}

TEST_F(WatchRulesFile, AGoodFileGivesEveryKeyItsMeaning)
{
    const WatchRules rules = load(R"({"rules": [{
        "address": "https://shop.example/item/42",
        "region": "#stock > .label",
        "ignore": ["^Updated", "visitors"],
        "ignoreNumbers": true,
        "appears": "In stock",
        "disappears": "/Sold\\s+out/",
        "below": 70, "above": 90.5,
        "hours": ["Mon-Fri 08:00-18:00"],
        "staleMinutes": 30, "showSeconds": 20}]})");
    EXPECT_TRUE(rules.messages().isEmpty()) << rules.messages().join('\n').toStdString();
    const WatchRule *rule = rules.ruleFor(QStringLiteral("https://shop.example/item/42"));
    ASSERT_NE(rule, nullptr);
    EXPECT_EQ(rule->region, QStringLiteral("#stock > .label"));
    ASSERT_EQ(rule->ignore.size(), 2);
    EXPECT_TRUE(rule->ignore[0].match(QStringLiteral("Updated 10:42")).hasMatch());
    EXPECT_TRUE(rule->ignoreNumbers);
    ASSERT_TRUE(rule->appears && !rule->appears->isPattern);
    EXPECT_EQ(rule->appears->plain, QStringLiteral("In stock"));
    ASSERT_TRUE(rule->disappears && rule->disappears->isPattern);
    EXPECT_TRUE(rule->disappears->pattern.match(QStringLiteral("Sold  out")).hasMatch());
    EXPECT_EQ(rule->below, 70.0);
    EXPECT_EQ(rule->above, 90.5);
    ASSERT_TRUE(rule->hours);
    EXPECT_TRUE(rule->hours->activeAt(QDateTime(QDate(2026, 3, 2), QTime(9, 0))));
    EXPECT_FALSE(rule->hours->activeAt(QDateTime(QDate(2026, 3, 7), QTime(9, 0))));
    EXPECT_EQ(rule->staleMinutes, 30.0);
    EXPECT_EQ(rule->showSeconds, 20.0);
}

TEST_F(WatchRulesFile, AnAddressMatchesExactlyOrByThePrefixBeforeAStar)
{
    const WatchRules rules = load(R"({"rules": [
        {"address": "https://news.example/live", "region": "#a"},
        {"address": "https://shop.example/*", "region": "#b"}]})");
    ASSERT_NE(rules.ruleFor(QStringLiteral("https://news.example/live")), nullptr);
    EXPECT_EQ(rules.ruleFor(QStringLiteral("https://news.example/live/")), nullptr);
    EXPECT_EQ(rules.ruleFor(QStringLiteral("https://news.example/liv")), nullptr);
    const WatchRule *shop = rules.ruleFor(QStringLiteral("https://shop.example/item?id=4"));
    ASSERT_NE(shop, nullptr);
    EXPECT_EQ(shop->region, QStringLiteral("#b"));
    EXPECT_NE(rules.ruleFor(QStringLiteral("https://shop.example/")), nullptr);
    EXPECT_EQ(rules.ruleFor(QStringLiteral("https://shop.example")), nullptr);
}

TEST_F(WatchRulesFile, TheFirstMatchingRuleWins)
{
    const WatchRules rules = load(R"({"rules": [
        {"address": "https://shop.example/*", "region": "#first"},
        {"address": "https://shop.example/item", "region": "#second"}]})");
    EXPECT_EQ(rules.ruleFor(QStringLiteral("https://shop.example/item"))->region,
              QStringLiteral("#first"));
}

TEST_F(WatchRulesFile, AFileThatIsNotJsonGivesAMessageAndNoRules)
{
    const WatchRules rules = load("{\"rules\": [{\"address\": \"x\"}");
    EXPECT_TRUE(rules.rules().empty());
    ASSERT_EQ(rules.messages().size(), 1);
    EXPECT_TRUE(rules.messages()[0].startsWith(QStringLiteral("Watch.json is not JSON: ")));
    EXPECT_FALSE(rules.readWhole());
}

TEST_F(WatchRulesFile, AFileThatIsNotAnObjectOrWhoseRulesAreNoListIsNotReadWhole)
{
    const WatchRules list = load(R"([{"address": "x"}])");
    EXPECT_TRUE(list.messages().value(0).startsWith(
        QStringLiteral("Watch.json must hold an object with \"rules\", not a list")));
    EXPECT_FALSE(list.readWhole());
    const WatchRules text = load(R"({"rules": "x"})");
    EXPECT_TRUE(text.messages().value(0).startsWith(
        QStringLiteral("Watch.json: \"rules\" must be a list, not text")));
    EXPECT_FALSE(text.readWhole());
}

TEST_F(WatchRulesFile, AnEmptyFileHoldsNoRulesAndMayBeWritten)
{
    const WatchRules rules = load("  \n");
    EXPECT_TRUE(rules.messages().isEmpty());
    EXPECT_TRUE(rules.readWhole());
}

TEST_F(WatchRulesFile, EachBadRuleIsNamedByItsNumberAndLeftOutAlone)
{
    const WatchRules rules = load(R"({"rules": [
        {"address": "https://a.example/"},
        "https://b.example/",
        {"address": "https://c.example/", "ignore": ["("]},
        {"address": "https://d.example/"}]})");
    EXPECT_EQ(rules.messages(),
              QStringList({QStringLiteral("Watch.json, rule 2: a rule must be an object with "
                                          "\"address\", not text"),
                           QStringLiteral("Watch.json, rule 3: \"ignore\" has a bad regular "
                                          "expression \"(\": missing closing parenthesis")}));
    EXPECT_EQ(rules.rules().size(), 2u);
    EXPECT_EQ(rules.ruleFor(QStringLiteral("https://c.example/")), nullptr);
    EXPECT_NE(rules.ruleFor(QStringLiteral("https://d.example/")), nullptr);
    EXPECT_TRUE(rules.readWhole());
}

TEST_F(WatchRulesFile, EachWrongValueSaysWhichKeyAndWhatIsWrong)
{
    EXPECT_EQ(messageFor(R"({"region": "#a"})"),
              QStringLiteral("Watch.json, rule 1: \"address\" is missing"));
    EXPECT_EQ(messageFor(R"({"address": 5})"),
              QStringLiteral("Watch.json, rule 1: \"address\" must be text, not a number"));
    EXPECT_EQ(
        messageFor(R"({"address": "a", "ignoreNumbers": "yes"})"),
        QStringLiteral("Watch.json, rule 1: \"ignoreNumbers\" must be true or false, not text"));
    EXPECT_EQ(messageFor(R"({"address": "a", "below": "70"})"),
              QStringLiteral("Watch.json, rule 1: \"below\" must be a number, not text"));
    EXPECT_EQ(
        messageFor(R"({"address": "a", "staleMinutes": 0})"),
        QStringLiteral("Watch.json, rule 1: \"staleMinutes\" must be a number more than 0, not 0"));
    EXPECT_EQ(messageFor(R"({"address": "a", "appears": ["x"]})"),
              QStringLiteral("Watch.json, rule 1: \"appears\" must be text or /regular "
                             "expression/, not a list"));
    EXPECT_EQ(messageFor(R"({"address": "a", "disappears": "/[a/"})"),
              QStringLiteral("Watch.json, rule 1: \"disappears\" has a bad regular expression "
                             "\"[a\": missing terminating ] for character class"));
    EXPECT_EQ(messageFor(R"({"address": "a", "ignore": [3]})"),
              QStringLiteral("Watch.json, rule 1: \"ignore\" must be a list of regular "
                             "expressions, but has a number"));
    EXPECT_EQ(messageFor(R"({"address": "a", "appears": "  "})"),
              QStringLiteral("Watch.json, rule 1: \"appears\" is empty"));
}

TEST_F(WatchRulesFile, ASelectorWithBracketsOrQuotesLeftOpenIsBad)
{
    EXPECT_EQ(messageFor(R"({"address": "a", "region": "div[data-x=\"1\""})"),
              QStringLiteral("Watch.json, rule 1: \"region\" has a bad selector "
                             "\"div[data-x=\"1\"\": \"[\" is not closed"));
    EXPECT_TRUE(messageFor(R"({"address": "a", "region": "a[title='x]"})")
                    .endsWith(QStringLiteral("the quote ' is not closed")));
    EXPECT_TRUE(messageFor(R"j({"address": "a", "region": "li:not(.x))"})j")
                    .endsWith(QStringLiteral("\")\" closes nothing that was opened")));
    EXPECT_TRUE(messageFor(R"({"address": "a", "region": "main >"})")
                    .endsWith(QStringLiteral("it ends with \">\"")));
    EXPECT_TRUE(messageFor(R"({"address": "a", "region": ".price { color: red }"})")
                    .contains(QStringLiteral("braces")));
    EXPECT_TRUE(selectorProblem(QStringLiteral("a[title=\"(]\"] > li:nth-child(2n+1)")).isEmpty());
    EXPECT_TRUE(selectorProblem(QStringLiteral("#a\\[1")).isEmpty());
}

TEST_F(WatchRulesFile, BadHoursDropOnlyThatKeyAndTheRestOfTheRuleApplies)
{
    const WatchRules rules = load(R"({"rules": [
        {"address": "https://a.example/", "hours": ["Mon-Fru 08:00-18:00"], "below": 5}]})");
    ASSERT_EQ(rules.messages().size(), 1);
    EXPECT_TRUE(rules.messages()[0].startsWith(QStringLiteral(
        "Watch.json, rule 1: \"hours\" has a bad value \"Mon-Fru 08:00-18:00\": \"Fru\" is not "
        "a day")));
    const WatchRule *rule = rules.ruleFor(QStringLiteral("https://a.example/"));
    ASSERT_NE(rule, nullptr);
    EXPECT_FALSE(rule->hours);
    EXPECT_EQ(rule->below, 5.0);
}

TEST_F(WatchRulesFile, KeysThisProgramDoesNotKnowAreKeptWhenTheRulesAreWrittenBack)
{
    WatchRules rules = load(R"({"version": 2, "rules": [
        {"address": "https://a.example/", "colour": "teal", "notes": {"who": "me"}},
        {"address": "https://b.example/", "ignore": ["("]}]})");
    ASSERT_TRUE(
        rules
            .put(QJsonObject{{QStringLiteral("address"), QStringLiteral("https://c.example/")},
                             {QStringLiteral("appears"), QStringLiteral("In stock")}})
            .isEmpty());
    ASSERT_EQ(rules.save(), QString());
    const QJsonObject file = QJsonDocument::fromJson(contents()).object();
    EXPECT_EQ(file.value(QStringLiteral("version")).toInt(), 2);
    const QJsonArray written = file.value(QStringLiteral("rules")).toArray();
    ASSERT_EQ(written.size(), 3);
    EXPECT_EQ(written[0].toObject().value(QStringLiteral("colour")).toString(),
              QStringLiteral("teal"));
    EXPECT_EQ(written[0]
                  .toObject()
                  .value(QStringLiteral("notes"))
                  .toObject()
                  .value(QStringLiteral("who")),
              QStringLiteral("me"));
    // A bad rule is the user's to mend, not ours to throw away.
    EXPECT_EQ(written[1].toObject().value(QStringLiteral("ignore")).toArray()[0].toString(),
              QStringLiteral("("));
    EXPECT_EQ(written[2].toObject().value(QStringLiteral("appears")).toString(),
              QStringLiteral("In stock"));

    WatchRules again(path(), false);
    again.load();
    EXPECT_EQ(again.rules().size(), 2u);
    EXPECT_EQ(again.written(QStringLiteral("https://a.example/")), written[0].toObject());
}

TEST_F(WatchRulesFile, ARuleMadeInTheProgramTakesThePlaceOfTheOneForItsAddress)
{
    WatchRules rules = load(R"({"rules": [
        {"address": "https://a.example/", "below": 5},
        {"address": "https://b.example/", "below": 6}]})");
    const QJsonObject replacement{{QStringLiteral("address"), QStringLiteral("https://a.example/")},
                                  {QStringLiteral("above"), 9}};
    EXPECT_TRUE(rules.put(replacement).isEmpty());
    ASSERT_EQ(rules.rules().size(), 2u);
    EXPECT_EQ(rules.rules()[0]->above, 9.0);
    EXPECT_FALSE(rules.rules()[0]->below);

    EXPECT_EQ(
        rules.put(QJsonObject{{QStringLiteral("address"), QStringLiteral("https://b.example/")},
                              {QStringLiteral("below"), QStringLiteral("six")}}),
        QStringList{QStringLiteral("\"below\" must be a number, not text")});
    EXPECT_EQ(rules.ruleFor(QStringLiteral("https://b.example/"))->below, 6.0);

    EXPECT_TRUE(rules.remove(QStringLiteral("https://a.example/")));
    EXPECT_FALSE(rules.remove(QStringLiteral("https://a.example/")));
    EXPECT_EQ(rules.ruleFor(QStringLiteral("https://a.example/")), nullptr);
    EXPECT_EQ(rules.rules().size(), 1u);
}

TEST_F(WatchRulesFile, AFileNotReadWholeIsNeverWrittenOver)
{
    const QByteArray damaged = "{\"rules\": [{\"address\": \"https://a.example/\"";
    WatchRules rules = load(damaged);
    ASSERT_TRUE(
        rules.put(QJsonObject{{QStringLiteral("address"), QStringLiteral("https://b.example/")}})
            .isEmpty());
    EXPECT_NE(rules.ruleFor(QStringLiteral("https://b.example/")), nullptr);  // for this run
    EXPECT_EQ(rules.save(),
              QStringLiteral("The watch rules cannot be saved until Watch.json is "
                             "mended: it could not be read whole"));
    EXPECT_EQ(contents(), damaged);
}

TEST_F(WatchRulesFile, APrivateRunNeverWrites)
{
    WatchRules rules = load("{\"rules\": []}", true);
    ASSERT_TRUE(
        rules.put(QJsonObject{{QStringLiteral("address"), QStringLiteral("https://b.example/")}})
            .isEmpty());
    EXPECT_FALSE(rules.save().isEmpty());
    EXPECT_EQ(contents(), QByteArray("{\"rules\": []}"));

    QFile::remove(path());
    WatchRules fresh(path(), true);
    fresh.load();
    fresh.put(QJsonObject{{QStringLiteral("address"), QStringLiteral("https://b.example/")}});
    EXPECT_FALSE(fresh.save().isEmpty());
    EXPECT_FALSE(QFile::exists(path()));
}

TEST_F(WatchRulesFile, AHugeFileIsNotReadAndNeverWrittenOver)
{
    QByteArray huge = "{\"rules\": [], \"pad\": \"";
    huge += QByteArray(WatchRules::kLargestFile, 'x');
    huge += "\"}";
    WatchRules rules = load(huge);
    EXPECT_EQ(rules.messages(),
              QStringList{QStringLiteral("Watch.json is larger than 4 MB and was not read")});
    EXPECT_FALSE(rules.readWhole());
    EXPECT_FALSE(rules.save().isEmpty());
    EXPECT_EQ(contents().size(), huge.size());
}

TEST_F(WatchRulesFile, GarbageNeverCrashesTheReader)
{
    const QList<QByteArray> garbage = {
        "\xff\xfe\x00\x01",
        "null",
        "{\"rules\": [null, 1, [], {}]}",
        "{\"rules\": {}}",
        "{\"rules\": [{\"address\": \"a\", \"hours\": 5, \"ignore\": \"\"}]}",
        QByteArray(5000, '['),
        "{\"rules\": [{\"address\": \"*\", \"region\": \"\\\\\"}]}"};
    for (const QByteArray &bytes : garbage) {
        WatchRules rules(path(), false);
        rules.read(bytes);
        EXPECT_FALSE(rules.messages().isEmpty()) << bytes.left(40).toStdString();
    }
}

TEST_F(WatchRulesFile, AFileOfManyBadRulesGivesTheFirstMistakesAndHowManyMore)
{
    QByteArray json = "{\"rules\": [";
    for (int i = 0; i < 200; ++i)
        json += QByteArray(i ? "," : "") + "{\"address\": 1}";
    const WatchRules rules = load(json + "]}");
    ASSERT_EQ(rules.messages().size(), 50);
    EXPECT_TRUE(rules.messages()[48].startsWith(QStringLiteral("Watch.json, rule 49: ")));
    EXPECT_EQ(rules.messages()[49], QStringLiteral("Watch.json has 151 more mistakes"));
}
