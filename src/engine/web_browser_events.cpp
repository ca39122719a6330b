#include "engine/web_browser.h"

#include "engine/engine_page.h"
#include "engine/own_page_shower.h"
#include "engine/settled_text.h"

#include "platform/basic_error.h"

#include <QMetaMethod>
#include <QScopeGuard>
#include <QTimer>
#include <QWebEngineHistory>
#include <QWebEngineLoadingInfo>
#include <QWebEnginePage>

namespace pelquin {

void WebEngineBrowser::mapEngineCallbacks()
{
    m_page->onDialog = [this](const PageDialog &dialog, const PageDialogAnswer &answer) {
        if (!isSignalConnected(QMetaMethod::fromSignal(&BrowserControl::pageDialogRequested)))
            return false;
        exitFullScreen();  // the question shows in the main window, behind a full screen
        emit pageDialogRequested(dialog, answer);
        return true;
    };
    connect(m_ownPage, &OwnPageShower::reloadWanted, this, [this](const QUrl &url) {
        whenSafe([url](EnginePage &target) { target.load(url); });
    });

    m_page->onNavigationRequest = [this](const QUrl &url, bool isMainFrame) {
        m_inNavigationRequest = true;
        const auto done = qScopeGuard([this] { m_inNavigationRequest = false; });
        if (isMainFrame)
            m_ownPage->leave();
        emit beforeNavigate(url.toString(QUrl::RemoveUserInfo), isMainFrame);
    };
    m_page->onNewTab = [this](const QUrl &url, bool select) {
        emit openInNewTab(url.toString(QUrl::RemoveUserInfo), select);
    };
    m_page->onNewWindow = [this] {
        bool cancel = false;
        emit newWindow(&cancel);
        return !cancel;
    };
}

void WebEngineBrowser::mapPageSignals()
{
    connect(m_page, &QWebEnginePage::loadingChanged, this, [this](const auto &info) {
        shielded("loading", [&] { onLoadingChanged(info); });
    });
    connect(m_page, &QWebEnginePage::loadProgress, this, [this](int progress) {
        shielded("progress", [&] { emit progressChange(progress, 100); });
    });
    connect(m_page, &QWebEnginePage::linkHovered, this, [this](const QString &url) {
        shielded("status", [&] { emit statusTextChange(withoutUserInfo(url)); });
    });
    // Out of sight again, a page to be frozen is frozen again.
    connect(m_page, &QWebEnginePage::visibleChanged, this, [this] {
        QTimer::singleShot(0, this, [this] { shielded("lifecycle", [&] { applyLifecycle(); }); });
    });
    connect(m_page, &QWebEnginePage::urlChanged, this,
            [this] { shielded("url", [&] { reportCommandState(); }); });
}

void WebEngineBrowser::onLoadingChanged(const QWebEngineLoadingInfo &info)
{
    const bool own = m_ownPage->loadingOwnPage();
    // Our own page is shown under the address it stands for.
    const QString url = (own && m_page ? m_page->url() : info.url())
                            .toString(QUrl::RemoveUserInfo);
    switch (info.status()) {
    case QWebEngineLoadingInfo::LoadStartedStatus:
        m_busy = true;
        m_settledText->loadStarted();
        m_settledPart->loadStarted();
        if (!own)
            emit statusTextChange(QStringLiteral("Opening page ") + url + QStringLiteral("..."));
        return;
    case QWebEngineLoadingInfo::LoadSucceededStatus:
        if (m_records && m_page && !own)
            m_records->pageCompleted(url, m_page->title(), QDateTime::currentDateTime());
        [[fallthrough]];
    case QWebEngineLoadingInfo::LoadFailedStatus:
        if (!own && info.status() == QWebEngineLoadingInfo::LoadFailedStatus &&
            info.errorDomain() == QWebEngineLoadingInfo::CertificateErrorDomain &&
            m_ownPage->showCertificateProblem(info.url())) {
            emit certificateRefused(info.url().toString());
            return;  // our page comes instead of the engine's error page
        }
        // A failed load still shows a document: the engine's error page.
        m_busy = false;
        if (!own)
            noteLoadEnded(info);
        emit documentComplete(url, true);
        break;
    case QWebEngineLoadingInfo::LoadStoppedStatus:
        m_busy = false;
        break;
    }
    emit downloadComplete();
    emit statusTextChange(QStringLiteral("Done"));
    reportCommandState();
    if (own) {
        const OwnPageShower::Shown shown = m_ownPage->loaded();
        emit statusTextChange(shown.status);
        if (shown.stopped)
            emit pageStopped(url);
    }
}

void WebEngineBrowser::noteLoadEnded(const QWebEngineLoadingInfo &info)
{
    const bool failed = info.status() == QWebEngineLoadingInfo::LoadFailedStatus;
    const bool http = info.errorDomain() == QWebEngineLoadingInfo::HttpStatusCodeDomain;
    m_showsErrorPage = failed && !http;
    m_showsClientError = failed && http && info.errorCode() >= 400 && info.errorCode() < 500;
    if (!failed)
        return;
    QString reason;
    switch (info.errorDomain()) {
    case QWebEngineLoadingInfo::HttpStatusCodeDomain:
        reason = QStringLiteral("HTTP %1").arg(info.errorCode());
        break;
    case QWebEngineLoadingInfo::CertificateErrorDomain:
        reason = QStringLiteral("certificate error");
        break;
    case QWebEngineLoadingInfo::ConnectionErrorDomain:
        reason = QStringLiteral("cannot connect to the server");
        break;
    default:
        reason = info.errorString().isEmpty() ? QStringLiteral("the page did not load")
                                              : info.errorString();
    }
    emit loadFailed(reason);
}

void WebEngineBrowser::reportCommandState()
{
    if (!m_page)
        return;
    QWebEngineHistory *history = m_page->history();
    emit historyButtonChange(HistoryButton::Forward, history->canGoForward());
    emit historyButtonChange(HistoryButton::Back, history->canGoBack());
}

}  // namespace pelquin
