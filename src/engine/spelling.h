#pragma once

#include <QString>
#include <QStringList>

namespace pelquin {

// Where the engine finds its spelling dictionaries, the .bdic files the build makes from the
// desktop's hunspell dictionaries: the folder QTWEBENGINE_DICTIONARIES_PATH names, else the
// one beside the program (a build tree), else the installed one. Empty when there is none.
QString spellingDictionaryFolder();
// Names the chosen folder to the engine. Call before the first profile is made: the engine
// reads it once.
void useSpellingDictionaryFolder();
// The names of the dictionaries in `folder`, such as "en-US".
QStringList spellingDictionariesIn(const QString &folder);

}  // namespace pelquin
