#include "engine/sponsor_server.h"

#include "sponsor/sponsor_pages.h"

#include <QHostAddress>
#include <QHttpServer>
#include <QHttpServerRequest>
#include <QHttpServerResponder>
#include <QHttpServerResponse>
#include <QRegularExpression>
#include <QUrlQuery>

namespace pelquin {

namespace {

const QByteArray kHtml = QByteArrayLiteral("text/html; charset=utf-8");

QByteArray notFoundPage()
{
    return QByteArrayLiteral("<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\">"
                             "<title>Not found</title></head>"
                             "<body><h1>Not found</h1><p>There is no such page here.</p>"
                             "</body></html>\n");
}

}  // namespace

SponsorServer::SponsorServer() : m_server(std::make_unique<QHttpServer>())
{
    addPage(QStringLiteral("/w1.htm"),
            [](const QUrlQuery &) { return sponsorWelcomePage().toUtf8(); });
    addPage(QStringLiteral("/w2.htm"),
            [](const QUrlQuery &) { return sponsorSearchFormPage().toUtf8(); });
    addPage(QStringLiteral("/sc"), [](const QUrlQuery &query) {
        return sponsorSearchResultsPage(formValue(query, QStringLiteral("q"))).toUtf8();
    });
    // Without a handler of our own, 6.4 answers a missing page with an empty 404.
    m_server->setMissingHandler([](const QHttpServerRequest &, QHttpServerResponder &&out) {
        out.write(notFoundPage(), kHtml, QHttpServerResponder::StatusCode::NotFound);
    });
}

SponsorServer::~SponsorServer() = default;

bool SponsorServer::listen(quint16 port)
{
    const quint16 bound = m_server->listen(QHostAddress(QHostAddress::LocalHost), port);
    if (bound == 0)
        return false;
    m_port = bound;
    return true;
}

void SponsorServer::addPage(const QString &path, Page page)
{
    // The router reads the path as an anchored regular expression, and the first rule
    // that matches wins.
    m_server->route(QRegularExpression::escape(path),
                    [page = std::move(page)](const QHttpServerRequest &request) {
                        return QHttpServerResponse(kHtml, page(request.query()));
                    });
}

}  // namespace pelquin
