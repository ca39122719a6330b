#pragma once

#include <QByteArray>
#include <QString>

namespace pelquin {

// Text a page or server chose, made fit for a label: cut to `maxCharacters` (with "...")
// at a character boundary, and long runs without a space given invisible break points so
// that a word-wrapped label never grows wider than its window.
QString wrappablePageText(const QString &text, int maxCharacters);

// `text` without the invisible break points wrappablePageText adds.
QString withoutBreakPoints(QString text);

// What tells two texts of a page apart for the eye: a digest of its words, so a change of
// white space alone is no change.
QByteArray visibleTextDigest(const QString &text);

}  // namespace pelquin
