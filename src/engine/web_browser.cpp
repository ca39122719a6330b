#include "engine/web_browser.h"

#include "engine/address_check.h"
#include "engine/engine_page.h"
#include "engine/page_text_watcher.h"
#include "engine/own_page_shower.h"
#include "engine/page_context_menu.h"
#include "engine/page_file_commands.h"
#include "engine/settled_text.h"

#include "platform/basic_error.h"
#include "platform/prompts.h"

#include <QTimer>
#include <QWebEngineHistory>
#include <QWebEnginePage>
#include <QWebEngineView>

namespace pelquin {

QUrl openedUrl(const QUrl &url, const BrowsingRecords *records)
{
    if (!records || !url.isLocalFile() ||
        !url.path().endsWith(QStringLiteral(".url"), Qt::CaseInsensitive))
        return url;
    const QString address = records->shortcutAddress(url.toLocalFile());
    const QUrl target = address.isEmpty() ? QUrl() : typedAddressUrl(address);
    // A shortcut to another shortcut or to script is not followed.
    if (target.isEmpty() || target.isLocalFile() ||
        target.scheme() == QStringLiteral("javascript"))
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
    mapEngineCallbacks();
    mapPageSignals();
    m_files = new PageFileCommands(*m_view, *m_page, prompts, this);
    new PageContextMenu(*m_view, *this,
                        {[this] {
                             if (m_files->available(PageCommand::SaveAs))
                                 m_files->run(PageCommand::SaveAs);
                         },
                         [this] { m_files->viewSource(); },
                         [this](QPoint at) {
                             m_pickAt = at;
                             emit watchPartAsked();
                         },
                         [this] { emit stopWatchingAsked(); },
                         [this] { return m_watchRuleApplies; }});
    m_fullScreen = new FullScreenView(*m_view, *m_page, this);
    connect(m_fullScreen, &FullScreenView::changed, this, &BrowserControl::fullScreenChange);
    m_zoom = new PageZoom(*m_page, this);
    m_settledText = new SettledText(
        [this](std::function<void(const QString &)> done) { readVisibleText(std::move(done)); },
        [this](std::function<void(double)> done) { askQuietTime(std::move(done)); }, this);
    addPageTracker();
    m_textWatcher = new PageTextWatcher(*m_page, this);
    connect(m_textWatcher, &PageTextWatcher::textMoved, this, &BrowserControl::watchedTextMoved);
    connect(m_textWatcher, &PageTextWatcher::regionRefused, this,
            &BrowserControl::watchedPartRefused);
    m_page->onConsoleLine = [watcher = QPointer<PageTextWatcher>(m_textWatcher)](
                                const QString &line) { return watcher && watcher->takeConsoleLine(line); };
    m_addressCheck = new AddressCheck(*m_page, this);
    m_settledPart = new SettledText(
        [this](std::function<void(const QString &)> done) { readWatchedPart(std::move(done)); },
        [this](std::function<void(double)> done) { askQuietTime(std::move(done)); }, this);
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

bool WebEngineBrowser::commandAvailable(PageCommand command)
{
    return m_files->available(command);
}

void WebEngineBrowser::exec(PageCommand command)
{
    m_files->run(command);
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
