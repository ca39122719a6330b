#include "engine/full_screen_view.h"

#include "engine/engine_page.h"

#include <QAction>
#include <QChildEvent>
#include <QCloseEvent>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>
#include <QWebEngineFullScreenRequest>
#include <QWebEngineLoadingInfo>
#include <QWebEngineView>

#include <functional>
#include <utility>

namespace pelquin {

namespace {

// How long a page's refused full screen lasts inside its tab: a page that asks again at
// once is answered no faster than this.
constexpr int kRefusedFullScreenMs = 300;

// Closing the full-screen window (by the window manager's keys) ends full screen.
class FullScreenWindow final : public QWidget {
public:
    explicit FullScreenWindow(std::function<void()> onClose)
        : QWidget(nullptr, Qt::Window), m_onClose(std::move(onClose))
    {
    }

protected:
    void closeEvent(QCloseEvent *event) override
    {
        event->ignore();
        shielded("full screen", [&] { m_onClose(); });
    }

private:
    std::function<void()> m_onClose;
};

}  // namespace

FullScreenView::FullScreenView(QWebEngineView &home, QWebEnginePage &page, QObject *parent)
    : QObject(parent), m_home(&home), m_page(&page)
{
    // The page's input reaches a child of the view, made when the page first shows.
    home.installEventFilter(this);
    for (QObject *child : home.children())
        child->installEventFilter(this);
    connect(&page, &QWebEnginePage::fullScreenRequested, this,
            [this](QWebEngineFullScreenRequest request) {
                shielded("full screen", [&] { onRequest(std::move(request)); });
            });
    // Leaving the page ends its full screen.
    connect(&page, &QWebEnginePage::loadingChanged, this,
            [this](const QWebEngineLoadingInfo &info) {
                if (info.status() == QWebEngineLoadingInfo::LoadStartedStatus && active()) {
                    shielded("full screen", [&] { exit(); });
                    m_endedByUser = false;  // a new page starts afresh
                }
            });
}

FullScreenView::~FullScreenView()
{
    // The page belongs to the tab's view: it must not go down with the full-screen window.
    leave();
}

bool FullScreenView::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::ChildAdded:
        if (watched == m_home)
            static_cast<QChildEvent *>(event)->child()->installEventFilter(this);
        break;
    case QEvent::MouseButtonPress:
    case QEvent::KeyPress:
    case QEvent::TouchBegin:
        m_endedByUser = false;
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

void FullScreenView::onRequest(QWebEngineFullScreenRequest request)
{
    if (request.toggleOn() && !m_home) {
        request.reject();
        return;
    }
    // A page that asks again the moment the user left would never let go of the screen. A
    // refused request leaves the engine waiting on it for good, so it is granted inside the
    // tab, with no window of its own, and ended a moment later.
    if (request.toggleOn() && m_endedByUser) {
        request.accept();
        QTimer::singleShot(kRefusedFullScreenMs, this, [this] {
            if (m_page && !m_window)
                shielded("full screen", [&] {
                    m_page->triggerAction(QWebEnginePage::ExitFullScreen);
                });
        });
        return;
    }
    request.accept();
    if (request.toggleOn())
        enter();
    else
        leave();
}

void FullScreenView::enter()
{
    if (m_window || !m_page)
        return;
    auto *window = new FullScreenWindow([this] { exit(); });
    window->setWindowTitle(m_page->title());
    auto *layout = new QVBoxLayout(window);
    layout->setContentsMargins(0, 0, 0, 0);
    auto *view = new QWebEngineView(window);
    // The tab's page menu belongs to the tab: none while full screen.
    view->setContextMenuPolicy(Qt::NoContextMenu);
    layout->addWidget(view);
    auto *escape = new QAction(window);
    escape->setShortcut(Qt::Key_Escape);
    connect(escape, &QAction::triggered, this,
            [this] { shielded("full screen", [&] { exit(); }); });
    window->addAction(escape);
    view->setPage(m_page);
    m_window = window;
    // The whole screen of the main window, also where no window manager makes it so.
    if (QScreen *screen = m_home ? m_home->window()->screen() : nullptr)
        window->setGeometry(screen->geometry());
    window->showFullScreen();
    view->setFocus();
    emit changed(true);
}

void FullScreenView::exit()
{
    if (!m_window)
        return;
    m_endedByUser = true;
    if (m_page)
        m_page->triggerAction(QWebEnginePage::ExitFullScreen);
    leave();
}

void FullScreenView::leave()
{
    if (!m_window)
        return;
    QWidget *window = m_window;
    m_window.clear();
    if (m_home && m_page)
        m_home->setPage(m_page);
    window->hide();
    // Escape arrives inside the window's own event handling.
    window->deleteLater();
    if (m_home && m_home->isVisible()) {
        m_home->window()->activateWindow();
        m_home->setFocus();
    }
    emit changed(false);
}

}  // namespace pelquin
