#include "platform/error_report.h"
#include "platform/scripted_prompts.h"

#include <gtest/gtest.h>

using namespace pelquin;

TEST(ErrorReport, ShowsNumberDescriptionAndLabelUnderTheAppTitle)
{
    ScriptedPrompts prompts;
    ErrorReporter errors(prompts);
    errors.report(BasicError(err::FileNotFound), QStringLiteral(" At SubMain"));
    ASSERT_EQ(prompts.messages().size(), 1u);
    EXPECT_EQ(prompts.messages()[0].title, QStringLiteral("Pelquiner"));
    EXPECT_EQ(prompts.messages()[0].text, QStringLiteral("53 File not found At SubMain"));
}

TEST(ErrorReport, TrapPassesOverListedErrorsAndEndsOnOthers)
{
    ScriptedPrompts prompts;
    ErrorReporter errors(prompts);
    QStringList ran;
    Trap trap(errors, QStringLiteral(" At X"), {err::ObjectNotSet}, {err::EFail});
    trap.step([&] { ran << "1"; throwError(err::ObjectNotSet); })
        .step([&] { ran << "2"; throwError(err::Overflow); })
        .step([&] { ran << "3"; });
    EXPECT_EQ(ran, (QStringList{"1", "2"}));
    EXPECT_TRUE(trap.ended());
    EXPECT_EQ(trap.endedBy(), err::Overflow);
    ASSERT_EQ(prompts.messages().size(), 1u);
    EXPECT_EQ(prompts.messages()[0].text, QStringLiteral("6 Overflow At X"));

    Trap silent(errors, QStringLiteral(" At Y"), {}, {err::EFail});
    silent.step([] { throwError(err::EFail); }).step([&] { ran << "4"; });
    EXPECT_TRUE(silent.ended());
    EXPECT_EQ(prompts.messages().size(), 1u);
    EXPECT_FALSE(ran.contains("4"));
}

TEST(ErrorReport, OtherExceptionsAreCaughtAtTheHandlersEdge)
{
    ScriptedPrompts prompts;
    ErrorReporter errors(prompts);
    Trap(errors, QStringLiteral(" At Z")).step([] { throw std::runtime_error("boom"); });
    ASSERT_EQ(prompts.messages().size(), 1u);
    EXPECT_TRUE(prompts.messages()[0].text.startsWith(QStringLiteral("51 ")));
}
