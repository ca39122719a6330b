// tabs/: the controls that follow the 30 tabs (strip, buttons, dropdowns, status, browsers)
// and what runs per tab: browser events, staged loading, timers, navigation, Goto Tab.

#pragma once

#include "core/browser_control.h"
#include "core/tab_state.h"

#include <array>

class QWidget;

namespace pelquin {

// The 30 browsers, numbered 1 to 30. All keep loading; only the front one is
// shown, the others are hidden and never drawn.
class BrowserPool {
public:
    BrowserPool(BrowserFactory &factory, QWidget *parent);

    BrowserControl &at(int tab) const { return *m_browsers.at(static_cast<size_t>(tab)); }
    QWidget *widget(int tab) const { return at(tab).widget(); }
    // Brings browser t to the front: shown, all others hidden and out of full screen.
    void bringToFront(int tab);
    int front() const { return m_front; }

private:
    std::array<BrowserControl *, kTabCount + 1> m_browsers{};
    int m_front = 0;
};

class TabStrip;
class ButtonBar;
class AddressBar;
class StatusArea;

// The main window's controls that follow the tabs.
struct TabControls {
    TabStrip &tabStrip;
    ButtonBar &buttons;
    AddressBar &addressBar;
    StatusArea &status;
    BrowserPool &browsers;
};

}  // namespace pelquin
