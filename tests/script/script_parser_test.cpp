#include "platform/basic_error.h"
#include "script/script_parser.h"

#include <QStringList>

#include <gtest/gtest.h>

using namespace pelquin;

namespace {

std::vector<Statement> fromMarkup(const QString &markup)
{
    const auto block = pelscriptBlock(markup);
    return block ? parseStatements(*block) : std::vector<Statement>{};
}

// The statements that name something, as NAME|index|value.
QStringList named(const std::vector<Statement> &statements)
{
    QStringList out;
    for (const Statement &s : statements) {
        if (!trimBlanks(s.name).isEmpty())
            out << s.name + QLatin1Char('|') + s.ndx.value_or(QStringLiteral("-")) +
                       QLatin1Char('|') + s.arg;
    }
    return out;
}

}  // namespace

TEST(ScriptParser, ABlockInAnyLetterCaseGivesItsStatements)
{
    const auto s = fromMarkup(QStringLiteral(
        "<p>x</p><script language=pelscript>TABSTRIP.VISIBLE=FALSE></script><p>y</p>"));
    EXPECT_EQ(named(s), QStringList{"TABSTRIP.VISIBLE|-|FALSE"});
    EXPECT_FALSE(s.back().ndx.has_value());
}

TEST(ScriptParser, QuotedOrDoublySpacedOpeningsAreNotRecognised)
{
    EXPECT_FALSE(pelscriptBlock(QStringLiteral("<SCRIPT LANGUAGE=\"PELSCRIPT\">A=1></SCRIPT>")));
    EXPECT_FALSE(pelscriptBlock(QStringLiteral("<SCRIPT  LANGUAGE=PELSCRIPT>A=1></SCRIPT>")));
}

TEST(ScriptParser, ALineBreakBeforeTheClosingTagGivesNoStatements)
{
    EXPECT_TRUE(named(fromMarkup(
                    QStringLiteral("<SCRIPT LANGUAGE=PELSCRIPT>MENU.VISIBLE=FALSE>\n</SCRIPT>")))
                    .isEmpty());
}

TEST(ScriptParser, RunsOfBlanksCollapseAndValuesKeepTheirSeparatingBlank)
{
    EXPECT_EQ(named(parseStatements(QStringLiteral("A=1   B=2> "))),
              (QStringList{"A|-|1 ", "B|-|2"}));
    EXPECT_EQ(strip(QStringLiteral("  a \t  b\n")), QStringLiteral(" a \t b\n"));
}

TEST(ScriptParser, QuotedValuesMayHoldBlanksAndAnIndexIsTaken)
{
    EXPECT_EQ(named(parseStatements(QStringLiteral("TABSTRIP.TABCAPTION(3)=\"My Home\" X=1> "))),
              (QStringList{"TABSTRIP.TABCAPTION|3|My Home ", "X|-|1"}));
    EXPECT_EQ(named(parseStatements(QStringLiteral("button(2).visible=\"a>b\"> "))),
              (QStringList{"BUTTON.VISIBLE|2|a>b"}));
}

TEST(ScriptParser, AGreaterThanInTheMiddleEndsTheUsefulPart)
{
    const auto s = parseStatements(QStringLiteral("A=1>B=2> "));
    EXPECT_EQ(named(s), QStringList{"A|-|1"});
    EXPECT_EQ(s.size(), size_t(kMaxStatements));
}

TEST(ScriptParser, AtMostTwoHundredStatementsAndOnlyTheFirstBlock)
{
    QString script;
    for (int i = 1; i <= 250; ++i)
        script += QStringLiteral("S%1=%1 ").arg(i);
    const auto s = fromMarkup(QStringLiteral("<SCRIPT LANGUAGE=PELSCRIPT>") + script.trimmed() +
                              QStringLiteral("></SCRIPT><SCRIPT LANGUAGE=PELSCRIPT>Z=1></SCRIPT>"));
    ASSERT_EQ(s.size(), size_t(kMaxStatements));
    EXPECT_EQ(s.back().name, QStringLiteral("S200"));
}

TEST(ScriptParser, AClosingParenthesisBeforeTheOpeningOneIsAnError)
{
    try {
        parseStatements(QStringLiteral("A)(1=2> "));
        FAIL();
    } catch (const BasicError &e) {
        EXPECT_EQ(e.number(), err::InvalidCall);
    }
}

TEST(ScriptParser, HostileScriptsEndQuickly)
{
    EXPECT_TRUE(named(parseStatements(QStringLiteral("\"unbalanced A=1 B=2> "))).isEmpty());
    EXPECT_EQ(inthescript(QStringLiteral("a\"b c\"d e")), 8);
    EXPECT_EQ(inthescript(QStringLiteral("abc")), 0);
    QString huge(5'000'000, QLatin1Char('x'));
    huge += QStringLiteral("=1 ");
    for (int i = 0; i < 10000; ++i)
        huge += QStringLiteral("A=(((( ");
    const auto s = parseStatements(huge + QStringLiteral("> "));
    EXPECT_EQ(s.size(), size_t(kMaxStatements));
    EXPECT_EQ(named(parseStatements(QStringLiteral("\u4e2d\u6587=\u00e9> "))).size(), 1);
}
