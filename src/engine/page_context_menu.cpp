#include "engine/page_context_menu.h"

#include "core/browser_control.h"

#include <QAction>
#include <QMenu>
#include <QWebEngineContextMenuRequest>
#include <QWebEngineView>

namespace pelquin {

PageContextMenu::PageContextMenu(QWebEngineView &view, BrowserControl &browser, Hooks hooks)
    : QObject(&view), m_view(view), m_browser(browser), m_hooks(std::move(hooks))
{
    // The view then asks us instead of showing the engine's menu as it is.
    m_view.setContextMenuPolicy(Qt::CustomContextMenu);
    connect(&m_view, &QWidget::customContextMenuRequested, this, &PageContextMenu::show);
}

void PageContextMenu::replace(QMenu &menu, QAction *original, QAction *replacement)
{
    if (!original || !menu.actions().contains(original))
        return;
    replacement->setText(original->text());
    menu.insertAction(original, replacement);
    menu.removeAction(original);
}

QMenu *PageContextMenu::build()
{
    QMenu *menu = m_view.createStandardContextMenu();
    const QWebEngineContextMenuRequest *request = m_view.lastContextMenuRequest();
    const QString link = request ? request->linkUrl().toString() : QString();

    auto *newTab = new QAction(menu);
    bool available = false;
    emit m_browser.newTabQuery(&available);
    newTab->setEnabled(available && !link.isEmpty());
    connect(newTab, &QAction::triggered, &m_browser,
            [browser = &m_browser, link] { emit browser->openInNewTab(link); });
    replace(*menu, m_view.pageAction(QWebEnginePage::OpenLinkInNewTab), newTab);
    // A window of its own would do what a new tab does: one entry is enough.
    menu->removeAction(m_view.pageAction(QWebEnginePage::OpenLinkInNewWindow));

    if (m_hooks.savePage) {
        auto *save = new QAction(menu);
        connect(save, &QAction::triggered, this, [this] { m_hooks.savePage(); });
        replace(*menu, m_view.pageAction(QWebEnginePage::SavePage), save);
    }
    if (m_hooks.viewSource) {
        // The engine would open the source as a new window, which the tab may refuse.
        auto *source = new QAction(menu);
        connect(source, &QAction::triggered, this, [this] { m_hooks.viewSource(); });
        replace(*menu, m_view.pageAction(QWebEnginePage::ViewSource), source);
    }
    if (m_hooks.watchPart) {
        menu->addSeparator();
        auto *watch = menu->addAction(QStringLiteral("Watch This Part of the Page"));
        watch->setObjectName(QStringLiteral("watchPartItem"));
        const QPoint at = request ? request->position() : QPoint();
        connect(watch, &QAction::triggered, this, [this, at] { m_hooks.watchPart(at); });
        if (m_hooks.watchRuleApplies && m_hooks.watchRuleApplies()) {
            auto *stop = menu->addAction(QStringLiteral("Stop Watching This Page"));
            stop->setObjectName(QStringLiteral("stopWatchingItem"));
            connect(stop, &QAction::triggered, this, [this] { m_hooks.stopWatching(); });
        }
    }
    // Without developer tools attached the entry would do nothing.
    menu->removeAction(m_view.pageAction(QWebEnginePage::InspectElement));
    return menu;
}

void PageContextMenu::show(const QPoint &position)
{
    QMenu *menu = build();
    menu->setAttribute(Qt::WA_DeleteOnClose, true);
    m_last = menu;
    menu->popup(m_view.mapToGlobal(position));
}

}  // namespace pelquin
