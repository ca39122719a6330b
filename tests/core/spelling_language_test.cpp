#include "core/spelling_language.h"

#include <gtest/gtest.h>

using namespace pelquin;

namespace {

const QStringList kDictionaries = {QStringLiteral("en-US"), QStringLiteral("en-GB"),
                                   QStringLiteral("de-CH"), QStringLiteral("de-DE"),
                                   QStringLiteral("pt-BR"), QStringLiteral("fr")};

QString chosen(const QStringList &desktop)
{
    return spellingLanguageFor(desktop, kDictionaries);
}

}  // namespace

TEST(SpellingLanguage, TheDesktopsOwnLanguageAndCountryWin)
{
    EXPECT_EQ(chosen({QStringLiteral("en-GB"), QStringLiteral("en")}), QStringLiteral("en-GB"));
    EXPECT_EQ(chosen({QStringLiteral("de-CH")}), QStringLiteral("de-CH"));
    // Locale names as the environment spells them.
    EXPECT_EQ(chosen({QStringLiteral("en_GB.UTF-8")}), QStringLiteral("en-GB"));
    EXPECT_EQ(chosen({QStringLiteral("de_DE@euro")}), QStringLiteral("de-DE"));
}

TEST(SpellingLanguage, AnotherCountryOfTheSameLanguageComesNext)
{
    // Austrian German: the German of Germany before the Swiss.
    EXPECT_EQ(chosen({QStringLiteral("de-AT"), QStringLiteral("de")}), QStringLiteral("de-DE"));
    EXPECT_EQ(chosen({QStringLiteral("pt-PT")}), QStringLiteral("pt-BR"));
    EXPECT_EQ(chosen({QStringLiteral("fr-CA")}), QStringLiteral("fr"));
    // The first language wanted wins, even when a later one has its exact country.
    EXPECT_EQ(chosen({QStringLiteral("de-AT"), QStringLiteral("en-GB")}), QStringLiteral("de-DE"));
}

TEST(SpellingLanguage, TheBareCLocaleIsAmericanEnglish)
{
    EXPECT_EQ(chosen({QStringLiteral("C")}), QStringLiteral("en-US"));
    EXPECT_EQ(chosen({QStringLiteral("POSIX")}), QStringLiteral("en-US"));
}

TEST(SpellingLanguage, NothingFitsNoDictionary)
{
    EXPECT_TRUE(chosen({QStringLiteral("ja-JP"), QStringLiteral("ja")}).isEmpty());
    EXPECT_TRUE(chosen({}).isEmpty());
    EXPECT_TRUE(spellingLanguageFor({QStringLiteral("en-US")}, {}).isEmpty());
}
