#pragma once

#include "shell/layout.h"
#include "shell/window_controls.h"

#include <QObject>

#include <functional>

class QWidget;

namespace pelquin {

class ErrorReporter;
class PageNoteBar;
class SpeedMenu;

// Lays out the main window in twips and applies the result in pixels: the whole-window
// layout, placeForBars, fitBrowserHeight and nameExpertModeItem.
class WindowLayout {
public:
    WindowLayout(QWidget &window, WindowControls controls, SpeedMenu &menu, ErrorReporter &errors);

    // Runs the tab selection handling for the selected tab (step 8 of the layout).
    void setSelectAgain(std::function<void()> selectAgain) { m_selectAgain = std::move(selectAgain); }
    // The bar shown above tab t's page, if any: the page makes room for it.
    void setPageBar(std::function<PageNoteBar *(int tab)> bar) { m_pageBar = std::move(bar); }

    double outerWidth() const;  // outer width, twips
    double outerHeight() const;  // outer height, twips
    // Which bars are hidden: what the layout places the tabs by.
    const BarVisibility &bars() const { return m_bars; }
    BarVisibility &bars() { return m_bars; }

    void formResize();
    void placeForBars(int tab);
    void fitBrowserHeight(int tab);
    void nameExpertModeItem();
    // Left 20 and width outerWidth - 225 for the selected tab's browser.
    void placeSelectedBrowser(int tab);
    // Dropdown t: left 20, width outerWidth - 230; browser t: left 20, width outerWidth - 225.
    void placeTab(int tab);
    // Places every tab's dropdown and browser for the bars shown.
    void layOutTabs();
    void fitTabStripHeight();
    void repaint();
    // Puts tab t's page where its box says, below the bar above it if there is one.
    void applyBrowser(int tab);

    const layout::Box &browserBox(int tab) const { return m_c.tabs.tab(tab).pageBox; }
    const layout::Box &dropdownBox(int tab) const { return m_c.tabs.tab(tab).addressBoxPlace; }

private:
    void applyDropdown(int tab);

    QWidget &m_window;
    WindowControls m_c;
    SpeedMenu &m_menu;
    ErrorReporter &m_errors;
    std::function<void()> m_selectAgain;
    std::function<PageNoteBar *(int tab)> m_pageBar;
    BarVisibility m_bars;
};

}  // namespace pelquin
