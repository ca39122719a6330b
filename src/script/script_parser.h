#pragma once

#include <QString>

#include <optional>
#include <vector>

namespace pelquin {

// One statement of a page script: NAME(index)=value.
struct Statement {
    QString name;                // upper-cased and trimmed only when it had an index
    QString arg;                 // the value without double quotes; empty without "="
    std::optional<QString> ndx;  // the text between "(" and ")"; none without parentheses
};

inline constexpr int kMaxStatements = 200;

// Every block's opening tag holds this word: a page without it holds no block.
inline constexpr QLatin1String kPelscriptWord("PELSCRIPT");

// The text of the first PELSCRIPT block of a body's markup, up to and including the ">"
// before "</SCRIPT>", with one blank appended; none when the markup holds no such block.
std::optional<QString> pelscriptBlock(const QString &markup);

// The text without blanks (code 32 only) at either end; tabs and line breaks stay.
QString trimBlanks(const QString &text);

// Runs of blanks collapsed to one blank; tabs and line breaks stay.
QString strip(const QString &indat);

// Position (from 1) of the first blank or ">" outside double quotes; 0 if there is none.
int inthescript(QStringView script);

// Splits a block's text into at most 200 statements. A ")" before the "(" of a name raises
// error 5.
std::vector<Statement> parseStatements(const QString &script);

}  // namespace pelquin
