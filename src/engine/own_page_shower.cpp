#include "engine/own_page_shower.h"

#include "core/own_pages.h"
#include "engine/engine_page.h"

#include <QUuid>
#include <QWebEngineCertificateError>

namespace pelquin {

OwnPageShower::OwnPageShower(EnginePage &page, CertificateExceptions exceptions)
    : QObject(&page), m_page(&page), m_exceptions(std::move(exceptions))
{
    connect(&page, &QWebEnginePage::renderProcessTerminated, this,
            [this](QWebEnginePage::RenderProcessTerminationStatus status, int) {
                shielded("page stopped", [&] { onRenderProcessTerminated(int(status)); });
            });
    connect(&page, &QWebEnginePage::certificateError, this,
            [this](const QWebEngineCertificateError &error) {
                shielded("certificate", [&] { onCertificateError(error); });
            });
    page.onOwnAction = [this](const QUrl &url) { onAction(url); };
}

void OwnPageShower::onRenderProcessTerminated(int status)
{
    if (status == QWebEnginePage::NormalTerminationStatus || !m_page)
        return;
    const QUrl url = m_showing ? m_url : m_page->url();
    // A browser that never showed a page has nothing to load again.
    if (url.isEmpty() || url == QUrl(QStringLiteral("about:blank")))
        return;
    m_stopped = true;
    m_status = stoppedStatusText();
    show(stoppedPageHtml(url.toString(QUrl::RemoveUserInfo)), url);
}

void OwnPageShower::noteOnStoppedPage(const QString &note)
{
    if (!m_stopped || !m_showing || !m_page)
        return;
    show(stoppedPageHtml(m_url.toString(QUrl::RemoveUserInfo), note), m_url);
}

void OwnPageShower::onCertificateError(const QWebEngineCertificateError &error)
{
    QWebEngineCertificateError copy = error;
    const QString host = error.url().host();
    if (error.isOverridable() && m_exceptions && m_exceptions->contains(host)) {
        copy.acceptCertificate();
        return;
    }
    // Never proceeds on its own: the page explains and, where allowed, offers a button.
    copy.rejectCertificate();
    m_errorUrl = error.url();
    m_errorText = error.description();
    m_overridable = error.isOverridable();
}

bool OwnPageShower::showCertificateProblem(const QUrl &url)
{
    if (m_errorUrl.isEmpty() || m_errorUrl.host() != url.host())
        return false;
    const QString host = url.host();
    QString link;
    if (m_overridable) {
        m_token = QUuid::createUuid().toString(QUuid::Id128);
        link = QStringLiteral("https://%1/accept/%2").arg(EnginePage::actionHost(), m_token);
    } else {
        m_token.clear();
    }
    m_stopped = false;
    m_status = certificateStatusText(host, m_errorText);
    const QString html = certificatePageHtml(host, m_errorText, link);
    m_errorUrl.clear();
    show(html, url);
    return true;
}

void OwnPageShower::onAction(const QUrl &url)
{
    const QString expected = QStringLiteral("/accept/") + m_token;
    if (!m_showing || m_token.isEmpty() || url.path() != expected || !m_exceptions)
        return;
    m_exceptions->insert(m_url.host());
    m_token.clear();
    emit reloadWanted(m_url);
}

void OwnPageShower::show(const QString &html, const QUrl &url)
{
    m_url = url;
    m_pending = true;
    m_showing = false;
    // Shown under the address it stands for, so the tab keeps that address.
    m_page->quietNavigation = true;
    m_page->setHtml(html, url);
}

OwnPageShower::Shown OwnPageShower::loaded()
{
    m_pending = false;
    m_showing = true;
    if (m_page)
        m_page->quietNavigation = false;
    return Shown{m_status, m_stopped};
}

void OwnPageShower::leave()
{
    if (m_pending)
        return;
    m_showing = false;
    m_token.clear();
}

}  // namespace pelquin
