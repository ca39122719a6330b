#pragma once

#include "shell/layout.h"
#include "shell/window_controls.h"

#include <QObject>

#include <functional>

class QWidget;

namespace pelquin {

class ErrorReporter;
class SpeedMenu;

// Lays out the main window in twips and applies the result in pixels: the whole-window
// layout, placeForBars, fitBrowserHeight and nameExpertModeItem.
class WindowLayout {
public:
    WindowLayout(QWidget &window, WindowControls controls, SpeedMenu &menu, ErrorReporter &errors);

    // Runs the tab selection handling for the selected tab (step 8 of the layout).
    void setSelectAgain(std::function<void()> selectAgain)
    {
        m_selectAgain = std::move(selectAgain);
    }
    // The bar shown above a tab's page, if any: the page makes room for it.
    void setPageBar(std::function<QWidget *(const BrowserTab &)> bar)
    {
        m_pageBar = std::move(bar);
    }

    double outerWidth() const;  // outer width, twips
    double outerHeight() const;  // outer height, twips
    // Which bars are hidden: what the layout places the tabs by.
    const BarVisibility &bars() const { return m_bars; }
    BarVisibility &bars() { return m_bars; }

    void formResize();
    void placeForBars(BrowserTab &tab);
    void fitBrowserHeight(BrowserTab &tab);
    void nameExpertModeItem();
    // Left 20 and width outerWidth - 225 for the selected tab's browser.
    void placeSelectedBrowser(BrowserTab &tab);
    // Its address box: left 20, width outerWidth - 230; its page: left 20, width outerWidth - 225.
    void placeTab(BrowserTab &tab);
    // Places every tab's address box and browser for the bars shown.
    void layOutTabs();
    void fitTabStripHeight();
    void repaint();
    // Puts the tab's page where its box says, below the bar above it if there is one.
    void applyBrowser(BrowserTab &tab);


private:
    void applyAddressBox(BrowserTab &tab);

    QWidget &m_window;
    WindowControls m_c;
    SpeedMenu &m_menu;
    ErrorReporter &m_errors;
    std::function<void()> m_selectAgain;
    std::function<QWidget *(const BrowserTab &)> m_pageBar;
    BarVisibility m_bars;
};

}  // namespace pelquin
