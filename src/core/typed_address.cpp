#include "core/typed_address.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace pelquin {

QString cleanAddressText(const QString &text)
{
    QString clean;
    clean.reserve(text.size());
    for (const QChar c : text) {
        if (c.unicode() >= 0x20 && c.unicode() != 0x7F && c.category() != QChar::Other_Control)
            clean += c;
    }
    return clean.trimmed();
}

QUrl typedAddressUrl(const QString &text)
{
    const QString address = cleanAddressText(text);
    if (address.isEmpty())
        return {};
    if (address.startsWith(QLatin1Char('/')))
        return QUrl::fromLocalFile(address);
    if (address.startsWith(QStringLiteral("~/")))
        return QUrl::fromLocalFile(QDir::homePath() + address.mid(1));
    // "name:" of two characters or more is a scheme, unless a port number follows the colon.
    static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]+:"));
    static const QRegularExpression port(QStringLiteral("^[A-Za-z0-9.-]+:[0-9]+([/?#]|$)"));
    // Names that are schemes before they are host names, whatever follows the colon.
    static const QRegularExpression neverHost(
        QStringLiteral("^(javascript|data|file|blob|view-source|chrome|about|qrc|mailto):"),
        QRegularExpression::CaseInsensitiveOption);
    // "name:password@host" is a login at a host, not a scheme.
    static const QRegularExpression login(
        QStringLiteral("^[^/?#:@]+(:[^/?#@]*)?@[A-Za-z0-9.-]+(:[0-9]+)?([/?#]|$)"));
    if (scheme.match(address).hasMatch() &&
        (neverHost.match(address).hasMatch() ||
         (!port.match(address).hasMatch() && !login.match(address).hasMatch())))
        return QUrl(address, QUrl::TolerantMode);
    return QUrl(QStringLiteral("http://") + address, QUrl::TolerantMode);
}

bool isSearchText(const QString &text)
{
    const QString typed = cleanAddressText(text);
    if (typed.isEmpty() || typed.startsWith(QLatin1Char('/')) ||
        typed.startsWith(QStringLiteral("~/")))
        return false;
    // A scheme given (or taken for one) is an address, blanks and all.
    if (typedAddressUrl(typed) != QUrl(QStringLiteral("http://") + typed, QUrl::TolerantMode))
        return false;
    if (typed.contains(QRegularExpression(QStringLiteral("\\s"))))
        return true;
    const qsizetype end = typed.indexOf(QRegularExpression(QStringLiteral("[/?#]")));
    const QString host = typed.left(end < 0 ? typed.size() : end);
    if (host.contains(QLatin1Char('.')) || host.contains(QLatin1Char(':')) ||
        host.contains(QLatin1Char('@')) || host.startsWith(QLatin1Char('[')) ||
        host.compare(QStringLiteral("localhost"), Qt::CaseInsensitive) == 0)
        return false;
    // "intranet/wiki": a path makes a word a host name.
    return end < 0 || typed.at(end) != QLatin1Char('/');
}

bool isSearchTemplate(const QString &searchTemplate)
{
    const QUrl url(QString(searchTemplate).trimmed().replace(QStringLiteral("%s"),
                                                              QStringLiteral("words")),
                   QUrl::StrictMode);
    return searchTemplate.contains(QStringLiteral("%s")) && url.isValid() &&
           (url.scheme() == QStringLiteral("https") || url.scheme() == QStringLiteral("http")) &&
           !url.host().isEmpty();
}

QString addressOrSearch(const QString &text, const QString &searchTemplate)
{
    if (!isSearchText(text))
        return text;
    const QString words = QString::fromLatin1(
        QUrl::toPercentEncoding(cleanAddressText(text).simplified()));
    const QString chosen = isSearchTemplate(searchTemplate)
                               ? searchTemplate.trimmed()
                               : QString::fromLatin1(kDefaultSearchTemplate);
    return QString(chosen).replace(QStringLiteral("%s"), words);
}

QString withoutUserInfo(const QString &address)
{
    qsizetype start = -1;
    static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]*://"));
    if (const auto match = scheme.match(address); match.hasMatch())
        start = match.capturedLength();
    else if (!typedAddressUrl(address).userInfo().isEmpty())
        start = address.indexOf(QRegularExpression(QStringLiteral("\\S")));
    if (start < 0)
        return address;
    qsizetype end = address.size();
    for (const QChar stop : {QLatin1Char('/'), QLatin1Char('?'), QLatin1Char('#')}) {
        const qsizetype at = address.indexOf(stop, start);
        if (at >= 0 && at < end)
            end = at;
    }
    const qsizetype at = address.lastIndexOf(QLatin1Char('@'), end - 1);
    if (at < start)
        return address;
    return address.left(start) + address.mid(at + 1);
}

namespace {

bool isWeb(const QUrl &url)
{
    return url.scheme() == QStringLiteral("http") || url.scheme() == QStringLiteral("https");
}

// A page of our own: a file inside the application folder, links and "..\" resolved.
bool isOwnPage(const QUrl &page, const QString &appFolder)
{
    if (!page.isLocalFile() || appFolder.isEmpty())
        return false;
    const QString file = QFileInfo(page.toLocalFile()).canonicalFilePath();
    const QString folder = QFileInfo(appFolder).canonicalFilePath();
    return !file.isEmpty() && !folder.isEmpty() && file.startsWith(folder + QLatin1Char('/'));
}

}  // namespace

bool scriptMayOpen(const QString &pageAddress, const QUrl &target, const QString &appFolder)
{
    if (!target.isValid() || target.host().contains(QLatin1Char(' ')))
        return false;
    if (isWeb(target))
        return !target.host().isEmpty();
    return target.isLocalFile() && isOwnPage(QUrl(pageAddress), appFolder);
}

bool mayOpenFromOutside(const QString &address)
{
    const QUrl url = typedAddressUrl(address);
    if (url.isLocalFile())
        return true;
    const QString scheme = url.scheme().toLower();
    return (scheme == QStringLiteral("http") || scheme == QStringLiteral("https")) &&
           !url.host().isEmpty();
}

}  // namespace pelquin
