#include "engine/web_browser.h"

#include "engine/settled_text.h"

#include "engine/page_context_menu.h"
#include "engine/page_file_commands.h"

#include "engine/engine_page.h"
#include "engine/own_page_shower.h"

#include "platform/basic_error.h"
#include "platform/prompts.h"

#include <QDir>
#include <QMetaMethod>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QFile>
#include <QTimer>
#include <QWebEngineFindTextResult>
#include <QWebEngineHistory>
#include <QWebEngineLoadingInfo>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <QWebEngineView>

namespace pelquin {

namespace {

// A script the engine runs in pages, from the program's resources.
QString scriptResource(const QString &name)
{
    QFile file(QStringLiteral(":/pelquin/") + name);
    file.open(QIODevice::ReadOnly);
    return QString::fromUtf8(file.readAll());
}

}  // namespace

QUrl openedUrl(const QUrl &url, const BrowsingRecords *records)
{
    if (!records || !url.isLocalFile() ||
        !url.path().endsWith(QStringLiteral(".url"), Qt::CaseInsensitive))
        return url;
    const QString address = records->shortcutAddress(url.toLocalFile());
    const QUrl target = address.isEmpty() ? QUrl() : typedAddressUrl(address);
    // A shortcut to another shortcut or to script is not followed.
    if (target.isEmpty() || target.isLocalFile() || target.scheme() == QStringLiteral("javascript"))
        return url;
    return target;
}

WebEngineBrowser::WebEngineBrowser(QWebEngineProfile &profile, Prompts &prompts,
                                   QWidget *parent,
                                   std::shared_ptr<QSet<QString>> certificateExceptions)
    : BrowserControl(parent),
      m_prompts(prompts),
      m_view(new QWebEngineView(parent)),
      m_page(new EnginePage(profile, prompts, m_view)),
      m_ownPage(new OwnPageShower(*m_page, std::move(certificateExceptions))),
      m_alive(std::make_shared<bool>(true))
{
    m_view->setPage(m_page);
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

    connect(m_page, &QWebEnginePage::loadingChanged, this, [this](const auto &info) {
        shielded("loading", [&] { onLoadingChanged(info); });
    });
    connect(m_page, &QWebEnginePage::loadProgress, this, [this](int progress) {
        shielded("progress", [&] { emit progressChange(progress, 100); });
    });
    connect(m_page, &QWebEnginePage::linkHovered, this, [this](const QString &url) {
        shielded("status", [&] { emit statusTextChange(withoutUserInfo(url)); });
    });
    connect(m_page, &QWebEnginePage::urlChanged, this,
            [this] { shielded("url", [&] { reportCommandState(); }); });
    m_files = new PageFileCommands(*m_view, *m_page, prompts, this);
    new PageContextMenu(*m_view, *this,
                        {[this] {
                             if (m_files->available(PageCommand::SaveAs))
                                 m_files->run(PageCommand::SaveAs);
                         },
                         [this] { m_files->viewSource(); }});
    m_fullScreen = new FullScreenView(*m_view, *m_page, this);
    connect(m_fullScreen, &FullScreenView::changed, this, &BrowserControl::fullScreenChange);
    m_zoom = new PageZoom(*m_page, this);
    m_settledText = new SettledText(
        [this](std::function<void(const QString &)> done) { readVisibleText(std::move(done)); },
        [this](std::function<void(double)> done) { askQuietTime(std::move(done)); }, this);
    QWebEngineScript tracker;
    tracker.setName(QStringLiteral("pelquin-page-tracker"));
    tracker.setSourceCode(scriptResource(QStringLiteral("page_tracker.js")));
    tracker.setInjectionPoint(QWebEngineScript::DocumentCreation);
    tracker.setWorldId(QWebEngineScript::ApplicationWorld);
    tracker.setRunsOnSubFrames(true);  // words typed in a frame count too
    m_page->scripts().insert(tracker);
}

WebEngineBrowser::~WebEngineBrowser()
{
    *m_alive = false;
    delete m_fullScreen.data();
    // Nothing the page says while it goes down concerns the program any more.
    if (m_page)
        m_page->disconnect(this);
    delete m_view.data();
}

EnginePage &WebEngineBrowser::page() const
{
    if (!m_page)
        throwError(err::ObjectNotSet);
    return *m_page;
}

bool WebEngineBrowser::hasDocument() const
{
    return m_page && !m_page->url().isEmpty();
}

void WebEngineBrowser::whenSafe(std::function<void(EnginePage &)> action)
{
    if (!m_inNavigationRequest)
        return action(page());
    QTimer::singleShot(0, this, [this, action = std::move(action)] {
        if (m_page)
            shielded("deferred", [&] { action(*m_page); });
    });
}

void WebEngineBrowser::setBrowsingRecords(BrowsingRecords *records)
{
    m_records = records;
    if (m_page)
        m_page->records = records;
}

QWebEnginePage *WebEngineBrowser::enginePage() const
{
    return m_page;
}

QWidget *WebEngineBrowser::widget()
{
    return m_view;
}

void WebEngineBrowser::navigate(const QString &address)
{
    QUrl url = openedUrl(typedAddressUrl(address), m_records);
    if (url.isEmpty())
        return;
    // A typed name and password log in, but the address never shows them.
    if (!url.userInfo().isEmpty()) {
        page().setTypedLogin(url);
        url.setUserInfo(QString());
    }
    whenSafe([url](EnginePage &target) { target.load(url); });
}

void WebEngineBrowser::goBack()
{
    if (!page().history()->canGoBack())
        throwError(err::EFail);
    whenSafe([](EnginePage &target) { target.triggerAction(QWebEnginePage::Back); });
}

void WebEngineBrowser::goForward()
{
    if (!page().history()->canGoForward())
        throwError(err::EFail);
    whenSafe([](EnginePage &target) { target.triggerAction(QWebEnginePage::Forward); });
}

void WebEngineBrowser::stop()
{
    whenSafe([](EnginePage &target) { target.triggerAction(QWebEnginePage::Stop); });
}

void WebEngineBrowser::refresh()
{
    // Our own page stands for another: Refresh loads that one.
    if (const QUrl real = m_ownPage->standsFor(); !real.isEmpty()) {
        whenSafe([real](EnginePage &target) { target.load(real); });
        return;
    }
    whenSafe([](EnginePage &target) { target.triggerAction(QWebEnginePage::Reload); });
}

PageSecurity WebEngineBrowser::security() const
{
    if (!m_page || !m_ownPage->standsFor().isEmpty())
        return PageSecurity::None;
    const QUrl url = m_page->url();
    if (url.scheme() != QStringLiteral("https"))
        return PageSecurity::None;
    return m_ownPage->certificateAccepted(url.host()) ? PageSecurity::AcceptedByUser
                                                      : PageSecurity::Trusted;
}

void WebEngineBrowser::loginAndReload(const PageDialog &ask, const QString &user,
                                      const QString &password)
{
    const bool proxy = ask.kind == PageDialog::Kind::ProxyLogin;
    page().setOneTimeLogin(proxy, proxy ? ask.site : ask.origin, user, password);
    refresh();
}

QString WebEngineBrowser::locationUrl() const
{
    return m_page ? m_page->url().toString(QUrl::RemoveUserInfo) : QString();
}

QString WebEngineBrowser::locationName() const
{
    return m_page ? m_page->title() : QString();
}

void WebEngineBrowser::blankDocument()
{
    if (!hasDocument())
        throwError(err::ObjectNotSet);
    page().runJavaScript(QStringLiteral("document.open();document.write('<HTML></HTML>');"
                                        "document.close();"),
                         QWebEngineScript::MainWorld);
}

QString WebEngineBrowser::bodyMarkupScript(const QString &word)
{
    // The body's inner markup as the page script reads it: element names in upper case,
    // attribute values unquoted unless empty or holding a blank, quote, "=", "<", ">" or
    // backtick, script and style text exactly as in the page, other text escaped.
    // With a word of letters, the engine's own serialisation is searched first: escaping
    // never touches letters, so a word missing there is missing from ours too.
    static const QRegularExpression letters(QStringLiteral("^[A-Za-z]+$"));
    const QString needle = letters.match(word).hasMatch() ? word.toLower() : QString();
    static const QString script = scriptResource(QStringLiteral("body_markup.js"));
    return script.arg(needle);
}

void WebEngineBrowser::checkTypedText(std::function<void(bool typed)> done)
{
    static const QString script = scriptResource(QStringLiteral("typed_text.js"));
    auto deliver = [alive = m_alive, done = std::move(done)](const QVariant &typed) {
        if (*alive)
            shielded("typed text", [&] { done(typed.toBool()); });
    };
    if (!hasDocument())
        return deliver(QVariant(false));
    // In a world of its own: the page can neither see nor fake the question.
    page().runJavaScript(script, QWebEngineScript::ApplicationWorld, deliver);
}

void WebEngineBrowser::readVisibleText(std::function<void(const QString &)> done)
{
    auto deliver = [alive = m_alive, done = std::move(done)](const QString &text) {
        if (*alive)
            shielded("visible text", [&] { done(text); });
    };
    if (!hasDocument()) {
        QTimer::singleShot(0, this, [deliver] { deliver(QString()); });
        return;
    }
    // The engine's own text of the page: what is laid out, without markup or scripts.
    page().toPlainText(deliver);
}

void WebEngineBrowser::askQuietTime(std::function<void(double quietMs)> done)
{
    auto deliver = [alive = m_alive, done = std::move(done)](const QVariant &quiet) {
        if (*alive)
            shielded("settling", [&] { done(quiet.isValid() ? quiet.toDouble() : 1e9); });
    };
    if (!hasDocument()) {
        QTimer::singleShot(0, this, [deliver] { deliver(QVariant()); });
        return;
    }
    // Kept by the page tracker in the script world of its own.
    page().runJavaScript(QStringLiteral("window.__pelquinChangedAt === undefined ? null : "
                                        "performance.now() - window.__pelquinChangedAt"),
                         QWebEngineScript::ApplicationWorld, deliver);
}

void WebEngineBrowser::readSettledText(std::function<void(const QString &)> done)
{
    m_settledText->read(std::move(done));
}

void WebEngineBrowser::readBodyMarkup(std::function<void(const QString &)> done)
{
    readBodyMarkupWith(QString(), std::move(done));
}

void WebEngineBrowser::readBodyMarkupWith(const QString &word,
                                          std::function<void(const QString &)> done)
{
    auto deliver = [alive = m_alive, done = std::move(done)](const QVariant &markup) {
        if (*alive)
            shielded("body markup", [&] { done(markup.toString()); });
    };
    if (!hasDocument()) {
        QTimer::singleShot(0, this, [deliver] { deliver(QVariant()); });
        return;
    }
    // The page's own world: a world of our own costs every page process half a megabyte,
    // and hides nothing worth hiding, since the page writes the markup we read anyway.
    page().runJavaScript(bodyMarkupScript(word), QWebEngineScript::MainWorld, deliver);
}

void WebEngineBrowser::findText(const QString &text, bool backward,
                                std::function<void(const FindResult &)> done)
{
    const QWebEnginePage::FindFlags flags =
        backward ? QWebEnginePage::FindBackward : QWebEnginePage::FindFlags();
    page().findText(text, flags,
                    [alive = m_alive, done = std::move(done)](const QWebEngineFindTextResult &r) {
                        if (*alive && done)
                            shielded("find", [&] {
                                done(FindResult{r.activeMatch(), r.numberOfMatches()});
                            });
                    });
}

bool WebEngineBrowser::commandAvailable(PageCommand command)
{
    return m_files->available(command);
}

void WebEngineBrowser::exec(PageCommand command)
{
    m_files->run(command);
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

void WebEngineBrowser::reportCommandState()
{
    if (!m_page)
        return;
    QWebEngineHistory *history = m_page->history();
    emit historyButtonChange(HistoryButton::Forward, history->canGoForward());
    emit historyButtonChange(HistoryButton::Back, history->canGoBack());
}

void WebEngineBrowser::refreshBypassingCache()
{
    whenSafe([](EnginePage &target) {
        target.triggerAction(QWebEnginePage::ReloadAndBypassCache);
    });
}

double WebEngineBrowser::zoomFactor() const
{
    return m_zoom ? m_zoom->factor() : 1.0;
}

void WebEngineBrowser::setZoomFactor(double factor)
{
    if (m_zoom)
        m_zoom->setFactor(factor);
}

bool WebEngineBrowser::fullScreen() const
{
    return m_fullScreen && m_fullScreen->active();
}

void WebEngineBrowser::exitFullScreen()
{
    if (m_fullScreen)
        m_fullScreen->exit();
}

QWidget *WebEngineBrowser::fullScreenWindow() const
{
    return m_fullScreen ? m_fullScreen->window() : nullptr;
}

}  // namespace pelquin
