#include "core/spelling_language.h"

#include <algorithm>

namespace pelquin {

namespace {

QString normalTag(const QString &tag)
{
    QString tidy = tag.trimmed();
    tidy.replace(QLatin1Char('_'), QLatin1Char('-'));
    // "en_US.UTF-8" and "de_DE@euro" name a language by the same first part.
    return tidy.section(QLatin1Char('.'), 0, 0).section(QLatin1Char('@'), 0, 0).toLower();
}

QString languageOf(const QString &normalTag)
{
    return normalTag.section(QLatin1Char('-'), 0, 0);
}

}  // namespace

QString spellingLanguageFor(const QStringList &desktopLanguages, const QStringList &dictionaries)
{
    QStringList wanted;
    for (const QString &tag : desktopLanguages) {
        const QString tidy = normalTag(tag);
        if (tidy == QStringLiteral("c") || tidy == QStringLiteral("posix"))
            wanted.append(QStringLiteral("en-us"));
        else if (!tidy.isEmpty())
            wanted.append(tidy);
    }
    QStringList sorted = dictionaries;
    std::sort(sorted.begin(), sorted.end());
    for (const QString &tag : wanted) {
        const QString language = languageOf(tag);
        const QString ownCountry = language + QLatin1Char('-') + language;
        QString sameCountry;
        QString languageCountry;
        QString sameLanguage;
        for (const QString &dictionary : sorted) {
            const QString name = normalTag(dictionary);
            if (name == tag)
                sameCountry = dictionary;
            else if (name == ownCountry)
                languageCountry = dictionary;
            else if (sameLanguage.isEmpty() && languageOf(name) == language)
                sameLanguage = dictionary;
        }
        for (const QString &found : {sameCountry, languageCountry, sameLanguage}) {
            if (!found.isEmpty())
                return found;
        }
    }
    return {};
}

}  // namespace pelquin
