#include "core/tab_state.h"

namespace pelquin {

namespace {

// Characters from 1-based position `from`, at most `count` of them.
QString mid1(const QString &s, qsizetype from, qsizetype count = -1)
{
    return s.mid(from - 1, count);
}

bool startsTrimmed(const QString &s, qsizetype length, const char *prefix)
{
    return s.left(length).trimmed().compare(QLatin1String(prefix), Qt::CaseInsensitive) == 0;
}

QString afterFirst(const QString &s, QChar c)
{
    return s.mid(s.indexOf(c) + 1);
}

QString beforeFirst(const QString &s, QChar c)
{
    return s.left(s.indexOf(c));
}

}  // namespace

QString captionForAddress(QString inname)
{
    QString r;
    if (inname.toUpper() == QStringLiteral("ABOUT:NAVIGATIONCANCELED"))
        return QStringLiteral("No Site");
    if (!inname.left(4).toUpper().startsWith(QStringLiteral("HTTP"))) {
        const qsizetype at = inname.indexOf(QStringLiteral("HTTP"), 0, Qt::CaseInsensitive);
        if (at > 0)
            inname = inname.mid(at);
    }
    bool fileAddress = false;
    if (startsTrimmed(inname, 8, "FILE:///")) {
        // A folder's address ends in "/": the folder's own name is the caption.
        QString path = inname;
        while (path.size() > 8 && path.endsWith(QLatin1Char('/')))
            path.chop(1);
        r = path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
        fileAddress = true;
    } else {
        if (startsTrimmed(inname, 7, "HTTP://"))
            r = mid1(inname, 8);
        if (startsTrimmed(inname, 8, "HTTPS://"))
            r = mid1(inname, 9);
    }
    if (!fileAddress) {
        if (mid1(inname, 6, 1).trimmed() == QStringLiteral(":") &&
            inname.left(5).trimmed().toUpper() != QStringLiteral("HTTPS")) {
            r = mid1(inname, 7, 12);
        } else if (mid1(inname, 2, 1).trimmed() == QStringLiteral(":")) {
            r = inname;
        } else {
            r = r.contains(QLatin1Char('/')) ? beforeFirst(r, QLatin1Char('/')) : inname;
            const qsizetype dot = r.indexOf(QLatin1Char('.'));
            if (dot >= 0 && r.indexOf(QLatin1Char('.'), dot + 1) >= 0)
                r = r.mid(dot + 1);
        }
    }
    if (r.contains(QLatin1Char('.')))
        r = beforeFirst(r, QLatin1Char('.'));
    while (r.contains(QLatin1Char('\\')))
        r = afterFirst(r, QLatin1Char('\\'));
    return r;
}

}  // namespace pelquin
