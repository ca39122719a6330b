#include "watch/word_diff.h"

#include <QHash>

#include <dtl/dtl.hpp>

#include <algorithm>

namespace pelquin {

namespace {

// The diff library keeps a record for each pair of words it weighs, up to two million at
// once; texts larger than that are first split at words both have only once.
constexpr qint64 kMostPairsAtOnce = 2'000'000;
// Beyond this many pairs in all, what is left differs too much to be worth the wait.
constexpr qint64 kMostPairsInAll = 6'000'000;
constexpr int kDeepestSplit = 8;

// A text as its words, each with the white space after it.
struct Words {
    QString leading;  // white space before the first word
    std::vector<QString> words;
    std::vector<QString> spaces;
};

Words splitWords(const QString &text)
{
    Words out;
    qsizetype i = 0;
    while (i < text.size() && text[i].isSpace())
        ++i;
    out.leading = text.left(i);
    while (i < text.size()) {
        const qsizetype wordStart = i;
        while (i < text.size() && !text[i].isSpace())
            ++i;
        const qsizetype spaceStart = i;
        while (i < text.size() && text[i].isSpace())
            ++i;
        out.words.push_back(text.mid(wordStart, spaceStart - wordStart));
        out.spaces.push_back(text.mid(spaceStart, i - spaceStart));
    }
    return out;
}

// Words [beforeStart, beforeEnd) of the older text against [afterStart, afterEnd) of the newer.
struct Span {
    qsizetype beforeStart, beforeEnd, afterStart, afterEnd;
    qsizetype beforeSize() const { return beforeEnd - beforeStart; }
    qsizetype afterSize() const { return afterEnd - afterStart; }
};

// One word's fate: kept or added (an index into the newer words) or removed (the older).
struct Edit {
    DiffKind kind;
    qsizetype index;
};

class WordDiffer {
public:
    WordDiffer(const Words &before, const Words &after) : m_before(before), m_after(after) {}

    std::vector<Edit> run()
    {
        diff({0, qsizetype(m_before.words.size()), 0, qsizetype(m_after.words.size())}, 0);
        return std::move(m_edits);
    }

private:
    void diff(Span span, int depth);
    void diffWithLibrary(const Span &span);
    bool splitAtUniqueWords(const Span &span, int depth);
    void replaceWhole(const Span &span);
    void keep(qsizetype afterStart, qsizetype afterEnd);

    const Words &m_before;
    const Words &m_after;
    std::vector<Edit> m_edits;
    qint64 m_pairs = 0;
};

void WordDiffer::keep(qsizetype afterStart, qsizetype afterEnd)
{
    for (qsizetype i = afterStart; i < afterEnd; ++i)
        m_edits.push_back({DiffKind::Same, i});
}

void WordDiffer::replaceWhole(const Span &span)
{
    for (qsizetype i = span.beforeStart; i < span.beforeEnd; ++i)
        m_edits.push_back({DiffKind::Removed, i});
    for (qsizetype i = span.afterStart; i < span.afterEnd; ++i)
        m_edits.push_back({DiffKind::Added, i});
}

void WordDiffer::diff(Span span, int depth)
{
    // Most changes leave the start and the end alone: they need no matching.
    const qsizetype commonStart = span.afterStart;
    while (span.beforeStart < span.beforeEnd && span.afterStart < span.afterEnd
           && m_before.words[span.beforeStart] == m_after.words[span.afterStart]) {
        ++span.beforeStart;
        ++span.afterStart;
    }
    keep(commonStart, span.afterStart);
    const qsizetype commonEnd = span.afterEnd;
    while (span.beforeStart < span.beforeEnd && span.afterStart < span.afterEnd
           && m_before.words[span.beforeEnd - 1] == m_after.words[span.afterEnd - 1]) {
        --span.beforeEnd;
        --span.afterEnd;
    }
    const qint64 pairs = qint64(span.beforeSize()) * span.afterSize();
    if (pairs == 0 || (pairs <= kMostPairsAtOnce && m_pairs + pairs > kMostPairsInAll)) {
        replaceWhole(span);
    } else if (pairs <= kMostPairsAtOnce) {
        m_pairs += pairs;
        diffWithLibrary(span);
    } else if (depth >= kDeepestSplit || !splitAtUniqueWords(span, depth)) {
        replaceWhole(span);
    }
    keep(span.afterEnd, commonEnd);
}

void WordDiffer::diffWithLibrary(const Span &span)
{
    const std::vector<QString> before(m_before.words.begin() + span.beforeStart,
                                      m_before.words.begin() + span.beforeEnd);
    const std::vector<QString> after(m_after.words.begin() + span.afterStart,
                                     m_after.words.begin() + span.afterEnd);
    dtl::Diff<QString, std::vector<QString>> diff(before, after);
    if (qint64(before.size()) * qint64(after.size()) > kMostPairsAtOnce / 4)
        diff.onHuge();  // makes room for its records at once rather than growing them
    diff.compose();
    for (const auto &[word, info] : diff.getSes().getSequence()) {
        // The library counts from 1.
        if (info.type == dtl::SES_DELETE)
            m_edits.push_back({DiffKind::Removed, span.beforeStart + info.beforeIdx - 1});
        else
            m_edits.push_back({info.type == dtl::SES_ADD ? DiffKind::Added : DiffKind::Same,
                               span.afterStart + info.afterIdx - 1});
    }
}

// The longest run of pairs, in the older text's order, whose places in the newer text rise.
std::vector<std::pair<qsizetype, qsizetype>>
risingPairs(const std::vector<std::pair<qsizetype, qsizetype>> &pairs)
{
    std::vector<size_t> tails;  // for each length, the pair ending the best run of that length
    std::vector<qsizetype> previous(pairs.size(), -1);
    for (size_t i = 0; i < pairs.size(); ++i) {
        const auto place = std::lower_bound(
            tails.begin(), tails.end(), pairs[i].second,
            [&](size_t tail, qsizetype after) { return pairs[tail].second < after; });
        if (place != tails.begin())
            previous[i] = qsizetype(*(place - 1));
        if (place == tails.end())
            tails.push_back(i);
        else
            *place = i;
    }
    std::vector<std::pair<qsizetype, qsizetype>> run;
    for (qsizetype i = tails.empty() ? -1 : qsizetype(tails.back()); i >= 0; i = previous[i])
        run.push_back(pairs[i]);
    std::reverse(run.begin(), run.end());
    return run;
}

// Words found once in each text are surely the same words: the differences between them
// are diffed apart, each small enough for the library.
bool WordDiffer::splitAtUniqueWords(const Span &span, int depth)
{
    QHash<QStringView, qsizetype> inBefore;  // the word's place, or -1 when it is there twice
    for (qsizetype i = span.beforeStart; i < span.beforeEnd; ++i) {
        auto found = inBefore.find(m_before.words[i]);
        if (found == inBefore.end())
            inBefore.insert(m_before.words[i], i);
        else
            *found = -1;
    }
    QHash<QStringView, qsizetype> inAfter;
    for (qsizetype i = span.afterStart; i < span.afterEnd; ++i) {
        auto found = inAfter.find(m_after.words[i]);
        if (found == inAfter.end())
            inAfter.insert(m_after.words[i], i);
        else
            *found = -1;
    }
    std::vector<std::pair<qsizetype, qsizetype>> pairs;
    for (qsizetype i = span.beforeStart; i < span.beforeEnd; ++i) {
        const qsizetype after = inAfter.value(m_before.words[i], -1);
        if (after >= 0 && inBefore.value(m_before.words[i]) == i)
            pairs.emplace_back(i, after);
    }
    const auto anchors = risingPairs(pairs);
    if (anchors.empty())
        return false;
    Span rest = span;
    for (const auto &[before, after] : anchors) {
        diff({rest.beforeStart, before, rest.afterStart, after}, depth + 1);
        keep(after, after + 1);
        rest.beforeStart = before + 1;
        rest.afterStart = after + 1;
    }
    diff(rest, depth + 1);
    return true;
}

// Joins the words into pieces, the removed words of each change before the added ones.
std::vector<DiffPiece> piecesOf(const std::vector<Edit> &edits, const Words &before,
                                const Words &after)
{
    std::vector<DiffPiece> pieces;
    auto append = [&](DiffKind kind, const QString &text) {
        if (text.isEmpty())
            return;
        if (pieces.empty() || pieces.back().kind != kind)
            pieces.push_back({kind, QString()});
        pieces.back().text += text;
    };
    QString removed, added;
    auto endChange = [&] {
        append(DiffKind::Removed, removed);
        append(DiffKind::Added, added);
        removed.clear();
        added.clear();
    };
    append(DiffKind::Same, after.leading);
    for (const Edit &edit : edits) {
        if (edit.kind == DiffKind::Removed) {
            removed += before.words[edit.index] + before.spaces[edit.index];
            continue;
        }
        const QString word = after.words[edit.index] + after.spaces[edit.index];
        if (edit.kind == DiffKind::Added) {
            added += word;
        } else {
            endChange();
            append(DiffKind::Same, word);
        }
    }
    endChange();
    return pieces;
}

}  // namespace

std::vector<DiffPiece> wordDiff(const QString &before, const QString &after)
{
    const Words older = splitWords(before);
    const Words newer = splitWords(after);
    return piecesOf(WordDiffer(older, newer).run(), older, newer);
}

}  // namespace pelquin
