#pragma once

#include <QUrl>
#include <QWebEnginePage>

#include <functional>

namespace pelquin {

// The page the engine is given for a link the user opens in a new tab (middle click,
// Ctrl+click): it loads nothing, and hands the link's address to `onLink` instead, once,
// after the engine's callback has returned. It deletes itself then, or after a while when
// no link ever comes.
class LinkCatcher final : public QWebEnginePage {
    Q_OBJECT
public:
    LinkCatcher(QWebEngineProfile &profile, std::function<void(const QUrl &)> onLink,
                QObject *parent);

protected:
    bool acceptNavigationRequest(const QUrl &url, NavigationType, bool isMainFrame) override;

private:
    std::function<void(const QUrl &)> m_onLink;
    bool m_caught = false;
};

}  // namespace pelquin
