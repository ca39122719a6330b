#include "tabs/browser_pool.h"

#include <QWidget>

namespace pelquin {

BrowserPool::BrowserPool(BrowserFactory &factory, QWidget *parent)
{
    for (int tab = 1; tab <= kTabCount; ++tab) {
        BrowserControl *browser = factory.create(tab, parent);
        browser->widget()->setObjectName(QStringLiteral("WebBrowser1_%1").arg(tab));
        browser->widget()->setVisible(false);
        m_browsers[static_cast<size_t>(tab)] = browser;
        // Only the page in front may show full screen.
        QObject::connect(browser, &BrowserControl::fullScreenChange, browser,
                         [this, browser, tab](bool on) {
                             if (on && tab != m_front)
                                 browser->exitFullScreen();
                         });
    }
}

void BrowserPool::bringToFront(int tab)
{
    QWidget *shown = widget(tab);
    shown->setVisible(true);
    shown->raise();
    for (int other = 1; other <= kTabCount; ++other) {
        if (other == tab)
            continue;
        widget(other)->setVisible(false);
        // A tab going to the back leaves its page's full screen.
        if (at(other).fullScreen())
            at(other).exitFullScreen();
    }
    m_front = tab;
}

}  // namespace pelquin
