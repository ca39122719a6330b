#include "core/page_text.h"

#include <QCryptographicHash>

namespace pelquin {

namespace {

constexpr QChar kBreakPoint(0x200B);  // zero width space
constexpr int kLongestRun = 30;

}  // namespace

QString wrappablePageText(const QString &text, int maxCharacters)
{
    QString cut = text;
    if (cut.size() > maxCharacters) {
        qsizetype end = qMax(0, maxCharacters);
        // Never half a surrogate pair.
        if (end > 0 && cut.at(end - 1).isHighSurrogate())
            --end;
        cut = cut.left(end) + QStringLiteral("...");
    }
    QString out;
    out.reserve(cut.size() + cut.size() / kLongestRun + 1);
    int run = 0;
    for (qsizetype i = 0; i < cut.size(); ++i) {
        const QChar c = cut.at(i);
        if (c.isSpace()) {
            run = 0;
        } else if (++run > kLongestRun && !c.isLowSurrogate() && !c.isMark()) {
            out += kBreakPoint;
            run = 1;
        }
        out += c;
    }
    return out;
}

QString withoutBreakPoints(QString text)
{
    return text.remove(kBreakPoint);
}

QByteArray visibleTextDigest(const QString &text)
{
    // Every run of blanks, tabs and line ends counts as one space.
    return QCryptographicHash::hash(text.simplified().toUtf8(), QCryptographicHash::Sha1);
}

}  // namespace pelquin
