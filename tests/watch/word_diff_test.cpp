#include "watch/word_diff.h"

#include <QStringList>

#include <gtest/gtest.h>

#include <random>

using namespace pelquin;

namespace {

DiffPiece same(const char *text)
{
    return {DiffKind::Same, QString::fromUtf8(text)};
}
DiffPiece added(const char *text)
{
    return {DiffKind::Added, QString::fromUtf8(text)};
}
DiffPiece removed(const char *text)
{
    return {DiffKind::Removed, QString::fromUtf8(text)};
}

// The text made of the pieces of the given kinds.
QString joined(const std::vector<DiffPiece> &pieces, DiffKind left_out)
{
    QString text;
    for (const DiffPiece &piece : pieces) {
        if (piece.kind != left_out)
            text += piece.text;
    }
    return text;
}

QStringList wordsOf(const QString &text)
{
    return text.simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

// The pieces tell both texts back: the newer exactly, the older word for word.
void expectBothTextsBack(const QString &before, const QString &after,
                         const std::vector<DiffPiece> &pieces)
{
    EXPECT_EQ(joined(pieces, DiffKind::Removed), after);
    EXPECT_EQ(wordsOf(joined(pieces, DiffKind::Added)), wordsOf(before));
    for (size_t i = 1; i < pieces.size(); ++i)
        EXPECT_NE(pieces[i].kind, pieces[i - 1].kind) << "pieces of one kind are joined";
}

// Lines of words, most of them common, some found once only.
QString madeUpText(std::mt19937 &random, int words)
{
    QString text;
    for (int i = 0; i < words; ++i) {
        const unsigned roll = random() % 100;
        text += roll < 60 ? QStringLiteral("w%1").arg(random() % 50)
                          : QStringLiteral("u%1").arg(random() % 1000000);
        text += (i % 12 == 11) ? QLatin1Char('\n') : QLatin1Char(' ');
    }
    return text;
}

// The text with a few words changed here and there.
QString changedHereAndThere(std::mt19937 &random, const QString &text, int changes)
{
    QStringList words = text.split(QLatin1Char(' '));
    for (int i = 0; i < changes; ++i) {
        const int at = int(random() % words.size());
        if (i % 3 == 0)
            words.removeAt(at);
        else if (i % 3 == 1)
            words.insert(at, QStringLiteral("new%1").arg(i));
        else
            words[at] = QStringLiteral("other%1").arg(i);
    }
    return words.join(QLatin1Char(' '));
}

}  // namespace

TEST(WordDiff, EmptyTextsGiveNothingOrAllOfTheOther)
{
    EXPECT_TRUE(wordDiff(QString(), QString()).empty());
    EXPECT_EQ(wordDiff(QString(), QStringLiteral("new words\n")),
              std::vector<DiffPiece>{added("new words\n")});
    EXPECT_EQ(wordDiff(QStringLiteral("old words"), QString()),
              std::vector<DiffPiece>{removed("old words")});
    EXPECT_EQ(wordDiff(QStringLiteral("  \n"), QStringLiteral(" ")),
              std::vector<DiffPiece>{same(" ")});
}

TEST(WordDiff, AChangedWordIsRemovedThenAddedBetweenTheSameWords)
{
    EXPECT_EQ(
        wordDiff(QStringLiteral("The price is 72 today"), QStringLiteral("The price is 68 today")),
        (std::vector<DiffPiece>{same("The price is "), removed("72 "), added("68 "),
                                same("today")}));
}

TEST(WordDiff, WordsAddedAndRemovedAtEitherEnd)
{
    EXPECT_EQ(
        wordDiff(QStringLiteral("Sold out. Back soon"), QStringLiteral("Back soon, in stock")),
        (std::vector<DiffPiece>{removed("Sold out. "), same("Back "), removed("soon"),
                                added("soon, in stock")}));
    EXPECT_EQ(wordDiff(QStringLiteral("a b"), QStringLiteral("z a b c")),
              (std::vector<DiffPiece>{added("z "), same("a b "), added("c")}));
}

TEST(WordDiff, LineBreaksAreKeptWithTheirWords)
{
    const QString before = QStringLiteral("Queue\n4 waiting\nOpen");
    const QString after = QStringLiteral("Queue\n5 waiting\n\nOpen until 18:00\n");
    const std::vector<DiffPiece> pieces = wordDiff(before, after);
    EXPECT_EQ(pieces,
              (std::vector<DiffPiece>{same("Queue\n"), removed("4 "), added("5 "),
                                      same("waiting\n\nOpen "), added("until 18:00\n")}));
    expectBothTextsBack(before, after, pieces);
}

TEST(WordDiff, WhiteSpaceAloneIsNoChangeAndTheNewerSpacingIsShown)
{
    EXPECT_EQ(wordDiff(QStringLiteral("In  stock\n"), QStringLiteral("\tIn\nstock")),
              std::vector<DiffPiece>{same("\tIn\nstock")});
}

TEST(WordDiff, ManyMadeUpChangesAllTellBothTextsBack)
{
    std::mt19937 random(7);
    for (int round = 0; round < 30; ++round) {
        const QString before = madeUpText(random, 1 + int(random() % 300));
        const QString after = changedHereAndThere(random, before, int(random() % 20));
        expectBothTextsBack(before, after, wordDiff(before, after));
    }
}

TEST(WordDiff, TextsTooLargeToMatchAtOnceAreSplitAtWordsFoundOnce)
{
    std::mt19937 random(11);
    const QString before = madeUpText(random, 4000);
    const QString after = changedHereAndThere(random, before, 30);
    const std::vector<DiffPiece> pieces = wordDiff(before, after);
    expectBothTextsBack(before, after, pieces);
    // Only the changed words differ, not whole stretches between them.
    qsizetype changedWords = 0;
    for (const DiffPiece &piece : pieces) {
        if (piece.kind != DiffKind::Same)
            changedWords += wordsOf(piece.text).size();
    }
    EXPECT_LE(changedWords, 60);
}

TEST(WordDiff, AMegabyteTextAgainstASlightlyChangedOne)
{
    std::mt19937 random(3);
    const QString before = madeUpText(random, 190000);
    ASSERT_GT(before.size(), 1000000);
    const QString after = changedHereAndThere(random, before, 40);
    const std::vector<DiffPiece> pieces = wordDiff(before, after);
    expectBothTextsBack(before, after, pieces);
    QString addedWords;
    for (const DiffPiece &piece : pieces) {
        if (piece.kind == DiffKind::Added)
            addedWords += piece.text;
    }
    EXPECT_TRUE(addedWords.contains(QStringLiteral("new1")));
    EXPECT_LT(addedWords.size(), 1000);
}

TEST(WordDiff, TwoUnrelatedMegabyteTextsStillGiveAnAnswer)
{
    std::mt19937 random(5);
    const QString before = madeUpText(random, 190000);
    const QString after = madeUpText(random, 190000);
    expectBothTextsBack(before, after, wordDiff(before, after));
}
