#include "address/quote_strip.h"

namespace pelquin {

QString stripoutquotes(const QString &indata)
{
    QString result;
    result.reserve(indata.size());
    for (const QChar c : indata) {
        if (c == QLatin1Char('/'))
            break;
        if (c != QLatin1Char('"'))
            result.append(c);
    }
    return result;
}

QString stripArgumentQuotes(const QString &indata)
{
    QString result = indata;
    result.remove(QLatin1Char('"'));
    return result;
}

}  // namespace pelquin
