#include "shell/main_window_control.h"

#include "platform/twips.h"
#include "shell/display_modes.h"
#include "shell/layout.h"
#include "commands/speed_menu.h"
#include "shell/window_bounds.h"
#include "shell/window_layout.h"
#include "shell/button_bar.h"
#include "tabs/tab_strip.h"

#include <QAction>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace pelquin {

namespace {

// The height below which the window has no room left for a page.
constexpr double kMinUsableHeight = 4500;

}  // namespace

MainWindowControl::MainWindowControl(QWidget &window, WindowControls controls, SpeedMenu &menu,
                                     DisplayModes &modes, WindowLayout &layout)
    : m_window(window), m_c(controls), m_menu(menu), m_modes(modes), m_layout(layout)
{
}

bool MainWindowControl::barHidden(Bar bar) const
{
    const BarVisibility &bars = m_layout.bars();
    return bar == Bar::Buttons   ? bars.buttonsHidden
           : bar == Bar::Address ? bars.addressHidden
                                 : bars.statusHidden;
}

void MainWindowControl::toggleBar(Bar bar)
{
    switch (bar) {
    case Bar::Buttons:
        return m_modes.toggleButtonBar();
    case Bar::Address:
        return m_modes.toggleAddressBar();
    case Bar::Status:
        return m_modes.toggleStatusBar();
    }
}

void MainWindowControl::toggleExpertMode()
{
    m_modes.toggleExpertMode();
}

void MainWindowControl::unMaximise()
{
    if (m_window.isMaximized())
        m_window.setWindowState(m_window.windowState() & ~Qt::WindowMaximized);
}

void MainWindowControl::setFrame(Edge edge, double twips)
{
    const int pixels = toPixels(twips);
    QRect frame = m_window.frameGeometry();
    switch (edge) {
    case Edge::Left:
        frame.moveLeft(pixels);
        break;
    case Edge::Top:
        frame.moveTop(pixels);
        break;
    case Edge::Width:
        frame.setWidth(pixels);
        break;
    case Edge::Height:
        frame.setHeight(pixels);
        break;
    }
    QList<QRect> screens;
    for (const QScreen *screen : QGuiApplication::screens())
        screens << screen->availableGeometry();
    frame = keepReachable(frame, screens,
                          QSize(toPixels(layout::kMinWidth), toPixels(kMinUsableHeight)), true);
    const QSize extra = m_window.frameGeometry().size() - m_window.size();
    m_window.move(frame.topLeft());
    m_window.resize(frame.size() - extra);
}

void MainWindowControl::setResizable(bool resizable)
{
    unMaximise();
    if (resizable) {
        m_window.setMinimumSize(0, 0);
        m_window.setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    } else {
        m_window.setFixedSize(m_window.size());
    }
}

void MainWindowControl::layOutTabs()
{
    m_layout.layOutTabs();
}

int MainWindowControl::buttonCount() const { return m_c.buttons.count(); }

void MainWindowControl::setButtonVisible(int button, bool visible)
{
    m_c.buttons.setVisibleAt(button, visible);
}

void MainWindowControl::setSpeedMenuAllowed(bool allowed) { m_menu.setAllowedByPage(allowed); }

int MainWindowControl::stripTabCount() const { return m_c.tabStrip.count(); }

void MainWindowControl::setStripTabCount(int count)
{
    m_c.tabStrip.removeAll();
    // New headers start blank, whatever their tabs showed before.
    for (BrowserTab &tab : m_c.tabs)
        tab.clearLook();
    m_c.tabStrip.addTabs(count);
    m_c.tabStrip.select(1);
}

void MainWindowControl::setStripVisible(bool visible) { m_c.tabStrip.setVisible(visible); }

void MainWindowControl::selectTab(int tab) { m_c.tabStrip.select(tab); }

void MainWindowControl::setScriptCaption(int tab, const QString &caption)
{
    BrowserTab &target = m_c.tabs.tab(tab);
    target.setCaption(caption);
    target.state().scriptCaption = caption;
}

int MainWindowControl::pageCount() const { return m_c.tabs.count(); }

void MainWindowControl::blankTab(int tab) { m_c.tabs.tab(tab).browser().blankDocument(); }

void MainWindowControl::loadInTab(int tab, const QUrl &address)
{
    m_c.tabs.tab(tab).browser().navigate(address.toString(QUrl::FullyEncoded));
}

}  // namespace pelquin
