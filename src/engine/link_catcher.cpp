#include "engine/link_catcher.h"

#include "engine/engine_page.h"

#include <QTimer>

namespace pelquin {

namespace {
constexpr int kGiveUpMs = 30000;
}

LinkCatcher::LinkCatcher(QWebEngineProfile &profile, std::function<void(const QUrl &)> onLink,
                         QObject *parent)
    : QWebEnginePage(&profile, parent), m_onLink(std::move(onLink))
{
    QTimer::singleShot(kGiveUpMs, this, &QObject::deleteLater);
}

bool LinkCatcher::acceptNavigationRequest(const QUrl &url, NavigationType, bool isMainFrame)
{
    if (!isMainFrame || m_caught)
        return false;
    m_caught = true;
    // Never from inside the engine's callback: opening the link navigates another page.
    QTimer::singleShot(0, this, [this, url] {
        shielded("link in a new tab", [&] { m_onLink(url); });
        deleteLater();
    });
    return false;
}

}  // namespace pelquin
