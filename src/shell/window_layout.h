#pragma once

#include "shell/layout.h"
#include "tabs/browser_pool.h"

#include <QObject>

#include <array>
#include <functional>

class QWidget;

namespace pelquin {

class ErrorReporter;
class PageNoteBar;
class SpeedMenu;

// Lays out the main window in twips and applies the result in pixels: the whole-window
// layout, fixpositions, fixwebheight and checkmode.
class WindowLayout {
public:
    WindowLayout(QWidget &window, TabControls controls, SpeedMenu &menu, ErrorReporter &errors);

    // Runs the tab selection handling for the selected tab (step 8 of the layout).
    void setSelectAgain(std::function<void()> selectAgain) { m_selectAgain = std::move(selectAgain); }
    // The bar shown above tab t's page, if any: the page makes room for it.
    void setPageBar(std::function<PageNoteBar *(int tab)> bar) { m_pageBar = std::move(bar); }

    double W() const;  // outer width, twips
    double H() const;  // outer height, twips
    BarTags tags() const;

    void formResize();
    void fixpositions(int tab);
    void fixwebheight(int tab);
    void checkmode();
    // Left 20 and width W - 225 for the selected tab's browser.
    void placeSelectedBrowser(int tab);
    // Dropdown t: left 20, width W - 230; browser t: left 20, width W - 225.
    void placeTab(int tab);
    void fitTabStripHeight();
    void repaint();
    // Puts tab t's page where its box says, below the bar above it if there is one.
    void applyBrowser(int tab);

    const layout::Box &browserBox(int tab) const { return m_browser.at(static_cast<size_t>(tab)); }
    const layout::Box &dropdownBox(int tab) const { return m_dropdown.at(static_cast<size_t>(tab)); }

private:
    void applyDropdown(int tab);

    QWidget &m_window;
    TabControls m_c;
    SpeedMenu &m_menu;
    ErrorReporter &m_errors;
    std::function<void()> m_selectAgain;
    std::function<PageNoteBar *(int tab)> m_pageBar;
    std::array<layout::Box, kTabCount + 1> m_browser{};
    std::array<layout::Box, kTabCount + 1> m_dropdown{};
};

}  // namespace pelquin
