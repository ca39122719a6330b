#include "desktop/history_page.h"

#include "desktop/favorites.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QUrl>

#include <algorithm>

namespace pelquin {

QList<VisitedPage> visitedPages(const QString &historyFolder)
{
    QList<VisitedPage> pages;
    const QFileInfoList files = QDir(historyFolder).entryInfoList(
        {QStringLiteral("*.url")}, QDir::Files | QDir::Readable, QDir::Time);
    for (const QFileInfo &file : files) {
        const QString address = shortcutAddress(file.filePath());
        const QString scheme = QUrl(address).scheme().toLower();
        if (scheme != QStringLiteral("http") && scheme != QStringLiteral("https"))
            continue;  // never a link to a file or a script
        pages.append({file.completeBaseName(), address, file.lastModified()});
    }
    std::stable_sort(pages.begin(), pages.end(), [](const VisitedPage &a, const VisitedPage &b) {
        return a.when > b.when;
    });
    return pages;
}

QStringList historyPage(const QList<VisitedPage> &pages)
{
    QStringList lines{QStringLiteral("<!DOCTYPE html><html><head><meta charset=\"utf-8\">"
                                     "<title>History</title></head><body>"),
                      QStringLiteral("<h1>History</h1>")};
    if (pages.isEmpty())
        lines << QStringLiteral("<p>No page has been visited yet.</p>");
    QDate day;
    for (const VisitedPage &page : pages) {
        if (page.when.date() != day) {
            if (day.isValid())
                lines << QStringLiteral("</ul>");
            day = page.when.date();
            lines << QStringLiteral("<h2>%1</h2><ul>")
                         .arg(QLocale().toString(day, QLocale::LongFormat).toHtmlEscaped());
        }
        const QString title = page.title.isEmpty() ? page.address : page.title;
        lines << QStringLiteral("<li>%1 <a href=\"%2\">%3</a></li>")
                     .arg(QLocale().toString(page.when.time(), QLocale::ShortFormat),
                          page.address.toHtmlEscaped(), title.toHtmlEscaped());
    }
    if (day.isValid())
        lines << QStringLiteral("</ul>");
    lines << QStringLiteral("</body></html>");
    return lines;
}

}  // namespace pelquin
