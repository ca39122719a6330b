#include "core/own_pages.h"

namespace pelquin {

namespace {

QString page(const QString &title, const QString &body)
{
    return QStringLiteral("<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>%1</title>"
                          "<style>body{font-family:sans-serif;margin:3em;max-width:44em}"
                          "h1{font-size:150%}</style></head><body>%2</body></html>")
        .arg(title.toHtmlEscaped(), body);
}

}  // namespace

QString stoppedStatusText()
{
    return QStringLiteral("This page stopped working. Refresh loads it again.");
}

QString stoppedPageHtml(const QString &address, const QString &note)
{
    const QString escaped = address.toHtmlEscaped();
    const QString noted =
        note.isEmpty() ? QString() : QStringLiteral("<p><b>%1</b></p>").arg(note.toHtmlEscaped());
    return page(QStringLiteral("Page stopped"),
                QStringLiteral("<h1>This page stopped working</h1>%2"
                               "<p>The program that showed <b>%1</b> ended: it crashed, ran "
                               "out of memory or was stopped. Your other tabs are not "
                               "affected.</p><p><a href=\"%1\">Load the page again</a> or press "
                               "Refresh.</p>")
                    .arg(escaped, noted));
}

QString certificateStatusText(const QString &host, const QString &reason)
{
    return QStringLiteral("Not opened: the certificate of %1 is not trusted (%2)")
        .arg(host, reason);
}

QString certificatePageHtml(const QString &host, const QString &reason,
                            const QString &acceptLink)
{
    QString body = QStringLiteral(
                       "<h1>This site's certificate is not trusted</h1>"
                       "<p>Pelquin did not open <b>%1</b>, because the certificate the site "
                       "sent to prove who it is cannot be trusted:</p><p><i>%2</i></p>"
                       "<p>Someone may be trying to read or change what you send to the "
                       "site, such as passwords or card numbers. Going back is safest.</p>")
                       .arg(host.toHtmlEscaped(), reason.toHtmlEscaped());
    if (!acceptLink.isEmpty()) {
        body += QStringLiteral("<p><a href=\"%1\"><button>I understand the risk: open %2 "
                               "anyway</button></a> (until Pelquin ends)</p>")
                    .arg(acceptLink.toHtmlEscaped(), host.toHtmlEscaped());
    } else {
        body += QStringLiteral("<p>This error cannot be passed over.</p>");
    }
    return page(QStringLiteral("Certificate not trusted"), body);
}

}  // namespace pelquin
