#pragma once

#include <QString>

#include <vector>

namespace pelquin {

enum class DiffKind { Same, Added, Removed };

// A stretch of text that both versions share, that only the newer has, or only the older.
struct DiffPiece {
    DiffKind kind = DiffKind::Same;
    QString text;  // words with the white space and line breaks after them

    bool operator==(const DiffPiece &) const = default;
};

// What changed from `before` to `after`, word by word, in reading order: the Same and Added
// pieces together are `after` as it is; the Removed pieces stand before the Added ones that
// took their place. White space alone is no change. Long texts whose differences are too
// many to match word by word in good time show the parts that differ as removed and added
// whole.
std::vector<DiffPiece> wordDiff(const QString &before, const QString &after);

}  // namespace pelquin
