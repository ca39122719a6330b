// What the desktop's browsers share beyond the tab's own commands: reload past the cache,
// a zoom kept per tab over its navigations, the page's right-button menu and its full screen.

#include "engine/page_context_menu.h"
#include "engine/page_windows.h"
#include "engine/web_browser.h"

#include "platform/basic_error.h"

#include <QTimer>
#include <QWebEnginePage>
#include <QWebEngineView>

namespace pelquin {

namespace {

// The page as the engine's API has it; the browser's own page class stays private to it.
// Not the view's: while full screen the page shows in another view.
QWebEnginePage *pageOf(const WebEngineBrowser &browser)
{
    return browser.enginePage();
}

}  // namespace

void WebEngineBrowser::attachDesktopParts()
{
    new PageContextMenu(*m_view, *this,
                        {[this] {
                             if (commandAvailable(PageCommand::SaveAs))
                                 savePage();
                         },
                         [this] { viewSource(); }});
    if (QWebEnginePage *page = pageOf(*this)) {
        m_fullScreen = new FullScreenView(*m_view, *page, this);
        connect(m_fullScreen, &FullScreenView::changed, this, &BrowserControl::fullScreenChange);
    }
    // A new document may come with the engine's own zoom: the tab's zoom holds.
    connect(pageOf(*this), &QWebEnginePage::loadFinished, this, [this] {
        QWebEnginePage *page = pageOf(*this);
        if (page && !qFuzzyCompare(page->zoomFactor(), m_zoom))
            page->setZoomFactor(m_zoom);
    });
}

void WebEngineBrowser::refreshBypassingCache()
{
    const auto reload = [page = QPointer<QWebEnginePage>(enginePage())] {
        if (page)
            page->triggerAction(QWebEnginePage::ReloadAndBypassCache);
    };
    // Not from inside the engine's navigation callback: as whenSafe does for Refresh.
    if (m_inNavigationRequest)
        QTimer::singleShot(0, this, reload);
    else
        reload();
}

double WebEngineBrowser::zoomFactor() const
{
    // Ctrl+wheel zooms in the engine itself: the page knows the zoom shown.
    const QWebEnginePage *page = pageOf(*this);
    return page ? page->zoomFactor() : m_zoom;
}

void WebEngineBrowser::setZoomFactor(double factor)
{
    m_zoom = qBound(0.25, factor, 5.0);
    if (QWebEnginePage *page = pageOf(*this))
        page->setZoomFactor(m_zoom);
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

void WebEngineBrowser::viewSource()
{
    if (!hasDocument())
        return;
    QWebEnginePage *page = pageOf(*this);
    if (!page)
        throwError(err::ObjectNotSet);
    auto *window = new PopupWindow(*page->profile(), m_prompts, m_records);
    window->page()->load(QUrl(QStringLiteral("view-source:") + locationUrl()));
    window->show();
}

}  // namespace pelquin
