#include "shell/window_layout.h"

#include "tabs/tab_collection.h"
#include "platform/error_report.h"
#include "platform/twips.h"
#include "commands/speed_menu.h"
#include "shell/button_bar.h"
#include "tabs/page_note_bar.h"
#include "shell/status_area.h"
#include "tabs/tab_strip.h"

#include <QComboBox>
#include <QLabel>
#include <QProgressBar>
#include <QStatusBar>
#include <QWidget>

namespace pelquin {

WindowLayout::WindowLayout(QWidget &window, WindowControls controls, SpeedMenu &menu,
                           ErrorReporter &errors)
    : m_window(window), m_c(controls), m_menu(menu), m_errors(errors)
{
    for (BrowserTab &tab : m_c.tabs) {
        tab.pageBox.left = layout::kBrowserLeft;
        tab.addressBoxPlace.left = layout::kAddressBoxLeft;
    }
}

double WindowLayout::outerWidth() const { return toTwips(m_window.frameGeometry().width()); }

double WindowLayout::outerHeight() const { return toTwips(m_window.frameGeometry().height()); }

void WindowLayout::applyBrowser(BrowserTab &tab)
{
    const layout::Box &b = tab.pageBox;
    QRect page = toPixelRect(b.left, b.top, b.width, b.height);
    if (QWidget *bar = m_pageBar ? m_pageBar(tab) : nullptr) {
        const int height = qMin(bar->heightForWidth(page.width()), page.height() / 2);
        bar->setGeometry(page.left(), page.top(), page.width(), height);
        bar->raise();
        page.setTop(page.top() + height);
    }
    tab.page()->setGeometry(page);
}

void WindowLayout::applyAddressBox(BrowserTab &tab)
{
    const layout::Box &d = tab.addressBoxPlace;
    QComboBox *combo = &tab.addressBox();
    combo->setGeometry(toPixels(d.left), toPixels(d.top), toPixels(d.width),
                       combo->sizeHint().height());
}

void WindowLayout::formResize()
{
    // Widening the window below runs this layout again inside; the outer run goes on.
    Trap trap(m_errors, QStringLiteral(" At Form Resize"),
              {err::InvalidProperty, err::CantMoveMaximized});
    trap.step([&] {
        if (outerWidth() < layout::kMinWidth && !m_window.isMaximized() &&
            !m_window.isFullScreen()) {
            const int frameExtra = m_window.frameGeometry().width() - m_window.width();
            m_window.resize(toPixels(layout::kMinWidth) - frameExtra, m_window.height());
        }
    });
    const double w = outerWidth();
    const double h = outerHeight();
    trap.step([&] {
        m_c.tabStrip.setGeometry(0, 0, toPixels(layout::tabStripWidth(w)),
                                 m_c.tabStrip.height());
    });
    trap.step([&] {
        const layout::Box s = layout::statusBar(w, h);
        m_c.status.statusBar()->setGeometry(toPixelRect(s.left, s.top, s.width, s.height));
        m_c.status.setPanelMinWidth(toPixels(layout::statusPanelMinWidth(w)) - 8);
    });
    trap.step([&] {
        const layout::Box p = layout::padlock(w, h);
        m_c.status.padlock()->setGeometry(toPixelRect(p.left, p.top, p.width, p.height));
    });
    trap.step([&] {
        const layout::Box p = layout::progressBar(w, h);
        m_c.status.progressBar()->setGeometry(toPixelRect(p.left, p.top, p.width, p.height));
        m_c.status.progressBar()->raise();
    });
    for (BrowserTab &each : m_c.tabs) {
        trap.step([&] {
            each.addressBoxPlace.left = layout::kAddressBoxLeft;
            each.addressBoxPlace.width = layout::addressBoxWidth(w);
            applyAddressBox(each);
        });
        trap.step([&] { placeForBars(each); });
        trap.step([&] {
            // As wide as when selected: a hidden page lays out at the size it will be shown at.
            each.pageBox.width = layout::selectedBrowserWidth(w);
            applyBrowser(each);
        });
    }
    for (BrowserTab &tab : m_c.tabs)
        trap.step([&] { fitBrowserHeight(tab); });
    trap.step([&] {
        if (m_selectAgain)
            m_selectAgain();
    });
    trap.step([&] { fitTabStripHeight(); });
    trap.step([&] { repaint(); });
}

void WindowLayout::placeForBars(BrowserTab &tab)
{
    Trap(m_errors, QStringLiteral(" At FPE")).step([&] {
        const layout::TabPlacement p = layout::placeForBars(m_bars, outerWidth());
        if (p.addressBox) {
            tab.addressBoxPlace = *p.addressBox;
            applyAddressBox(tab);
        }
        if (p.browserTop) {
            tab.pageBox.top = *p.browserTop;
            applyBrowser(tab);
        }
    });
}

void WindowLayout::fitBrowserHeight(BrowserTab &tab)
{
    Trap(m_errors, QStringLiteral(" At FWH")).step([&] {
        if (m_bars.anyShown())
            m_menu.expertModeItem->setText(QStringLiteral("Full Screen Mode (E&xpert Mode)"));
        const double top = tab.pageBox.top;
        if (const auto height = layout::fitBrowserHeight(m_bars, top, outerHeight())) {
            tab.pageBox.height = *height;
            applyBrowser(tab);
        }
    });
}

void WindowLayout::nameExpertModeItem()
{
    Trap(m_errors, QStringLiteral(" At CM")).step([&] {
        if (m_bars.allHidden())
            m_menu.expertModeItem->setText(QStringLiteral("Leave E&xpert Mode"));
    });
}

void WindowLayout::placeSelectedBrowser(BrowserTab &tab)
{
    tab.pageBox.left = layout::kBrowserLeft;
    tab.pageBox.width = layout::selectedBrowserWidth(outerWidth());
    applyBrowser(tab);
}

void WindowLayout::placeTab(BrowserTab &tab)
{
    tab.addressBoxPlace.left = layout::kAddressBoxLeft;
    tab.addressBoxPlace.width = layout::addressBoxWidth(outerWidth());
    applyAddressBox(tab);
    placeSelectedBrowser(tab);
}

void WindowLayout::layOutTabs()
{
    for (BrowserTab &tab : m_c.tabs) {
        placeTab(tab);
        placeForBars(tab);
        fitBrowserHeight(tab);
    }
}

void WindowLayout::fitTabStripHeight()
{
    const layout::Box &b = m_c.tabs.tab(1).pageBox;
    m_c.tabStrip.resize(m_c.tabStrip.width(), toPixels(b.top + b.height));
}

void WindowLayout::repaint()
{
    m_window.update();
}

}  // namespace pelquin
