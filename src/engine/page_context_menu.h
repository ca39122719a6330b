#pragma once

#include <QObject>
#include <QMenu>
#include <QPointer>

#include <functional>

class QAction;

class QPoint;
class QWebEngineView;

namespace pelquin {

class BrowserControl;

// The page's own right-button menu: the engine's standard entries, with the few that the
// engine alone cannot carry out here done by the program (a link in a free tab of the
// strip, Save Page, View Page Source) and those that would do nothing removed.
class PageContextMenu final : public QObject {
    Q_OBJECT
public:
    struct Hooks {
        std::function<void()> savePage;
        std::function<void()> viewSource;
        // Watching: the part under the pointer, at this place of the view; no longer.
        std::function<void(QPoint)> watchPart;
        std::function<void()> stopWatching;
        std::function<bool()> watchRuleApplies;
    };

    PageContextMenu(QWebEngineView &view, BrowserControl &browser, Hooks hooks);

    // Builds the menu for the view's last request; the caller owns it. Tests call it too.
    QMenu *build();
    QMenu *lastMenu() const { return m_last; }

private:
    void show(const QPoint &position);
    // Puts `replacement` where `original` is in `menu` and drops the original.
    static void replace(QMenu &menu, QAction *original, QAction *replacement);

    QWebEngineView &m_view;
    BrowserControl &m_browser;
    Hooks m_hooks;
    QPointer<QMenu> m_last;
};

}  // namespace pelquin
