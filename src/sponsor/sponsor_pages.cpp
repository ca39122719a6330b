#include "sponsor/sponsor_pages.h"

#include <QUrl>
#include <QUrlQuery>

namespace pelquin {

namespace {

const char kStyle[] = R"(
body { margin: 0; background: #f4f6f8; color: #222;
       font: 15px/1.5 "DejaVu Sans", "Liberation Sans", Arial, sans-serif; }
main { max-width: 36em; margin: 3em auto; padding: 1.5em 2em; background: #fff;
       border: 1px solid #d8dde3; border-radius: 6px; }
h1 { margin: 0 0 .5em; font-size: 1.6em; color: #1c4f7c; }
h2 { margin: 1.2em 0 .4em; font-size: 1.1em; color: #1c4f7c; }
p { margin: .5em 0; }
a { color: #1c5fa8; }
ul { padding-left: 1.2em; }
li { margin: .3em 0; }
form { margin: 1em 0 .5em; display: flex; gap: .5em; }
input[type=text] { flex: 1; padding: .35em .5em; font-size: 1em;
                   border: 1px solid #aab4bf; border-radius: 4px; }
input[type=submit] { padding: .35em 1em; font-size: 1em; color: #fff; background: #1c5fa8;
                     border: 0; border-radius: 4px; cursor: pointer; }
.query { font-weight: bold; word-break: break-word; }
.small { font-size: .85em; color: #667; }
)";

QString page(const QString &title, const QString &body)
{
    return QStringLiteral("<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n"
                          "<meta charset=\"utf-8\">\n"
                          "<meta name=\"viewport\" content=\"width=device-width\">\n"
                          "<title>%1</title>\n<style>%2</style>\n</head>\n"
                          "<body>\n<main>\n%3</main>\n</body>\n</html>\n")
        .arg(escapeHtml(title), QString::fromLatin1(kStyle), body);
}

QString searchForm(const QString &query)
{
    return QStringLiteral("<form action=\"/sc\" method=\"get\">\n"
                          "<input type=\"text\" name=\"q\" value=\"%1\" size=\"40\" autofocus>\n"
                          "<input type=\"submit\" value=\"Search\">\n"
                          "</form>\n")
        .arg(escapeHtml(query));
}

struct SearchEngine {
    const char *name;
    const char *prefix;  // the query, percent-encoded, follows
};

constexpr SearchEngine kEngines[] = {
    {"DuckDuckGo", "https://duckduckgo.com/html/?q="},
    {"Bing", "https://www.bing.com/search?q="},
    {"Wikipedia", "https://en.wikipedia.org/w/index.php?search="},
};

}  // namespace

QString escapeHtml(const QString &text)
{
    QString out;
    out.reserve(text.size() + text.size() / 8);
    for (const QChar c : text) {
        switch (c.unicode()) {
        case '&': out += QStringLiteral("&amp;"); break;
        case '<': out += QStringLiteral("&lt;"); break;
        case '>': out += QStringLiteral("&gt;"); break;
        case '"': out += QStringLiteral("&quot;"); break;
        case '\'': out += QStringLiteral("&#39;"); break;
        default: out += c;
        }
    }
    return out;
}

QString formValue(const QUrlQuery &query, const QString &name)
{
    // Forms send a blank as '+' and a real plus as "%2B", so the '+' must go before decoding.
    QString encoded = query.queryItemValue(name, QUrl::FullyEncoded);
    encoded.replace(QLatin1Char('+'), QLatin1Char(' '));
    return QUrl::fromPercentEncoding(encoded.toUtf8());
}

QString sponsorWelcomePage()
{
    return page(QStringLiteral("Pelquin"),
                QStringLiteral(
                    "<h1>Welcome to Pelquin</h1>\n"
                    "<p>Pelquin is a small tabbed web browser: thirty tabs, each with its own "
                    "address, home page and refresh timer.</p>\n"
                    "<p>Pelquin is free for everyone thanks to its sponsors. Their support pays "
                    "for its development, so you never pay for it.</p>\n"
                    "<h2>Thank you, sponsors</h2>\n"
                    "<p>To everyone who sponsors Pelquin: thank you for keeping it free.</p>\n"
                    "<h2>Getting started</h2>\n"
                    "<ul>\n"
                    "<li>Type an address in a tab's address box and press Enter.</li>\n"
                    "<li>Open <a href=\"/w2.htm\">the search page</a> to search the web.</li>\n"
                    "<li>Use Setup to choose each tab's name and start page.</li>\n"
                    "</ul>\n"
                    "<p class=\"small\">This page is served by Pelquin itself, so it shows "
                    "even without an Internet connection.</p>\n"));
}

QString sponsorSearchFormPage()
{
    return page(QStringLiteral("Search"),
                QStringLiteral("<h1>Search</h1>\n"
                               "<p>Type what you are looking for.</p>\n")
                    + searchForm(QString())
                    + QStringLiteral("<p class=\"small\">Pelquin is free thanks to its "
                                     "sponsors.</p>\n"));
}

QString sponsorSearchResultsPage(const QString &query)
{
    QString body = QStringLiteral("<h1>Search results</h1>\n");
    if (query.trimmed().isEmpty()) {
        body += QStringLiteral("<p>Type something to search for.</p>\n");
    } else {
        body += QStringLiteral("<p>You searched for <span class=\"query\">%1</span>.</p>\n"
                               "<p>Search the web for it with:</p>\n<ul>\n")
                    .arg(escapeHtml(query));
        const QString encoded = QString::fromLatin1(QUrl::toPercentEncoding(query));
        for (const SearchEngine &engine : kEngines) {
            const QString href = QString::fromLatin1(engine.prefix) + encoded;
            body += QStringLiteral("<li><a href=\"%1\">%2</a></li>\n")
                        .arg(escapeHtml(href), QString::fromLatin1(engine.name));
        }
        body += QStringLiteral("</ul>\n");
    }
    body += QStringLiteral("<h2>Search again</h2>\n") + searchForm(query);
    return page(QStringLiteral("Search results"), body);
}

}  // namespace pelquin
