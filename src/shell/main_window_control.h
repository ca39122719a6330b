#pragma once

#include "core/scriptable_window.h"

class QWidget;

namespace pelquin {

class DisplayModes;
class SpeedMenu;
class WindowLayout;

// The main window as a page script and the Setup dialog may change it: the speed menu's
// bar commands, full screen mode, the window's box and the tabs' layout.
class MainWindowControl final : public ScriptableWindow {
public:
    MainWindowControl(QWidget &window, SpeedMenu &menu, DisplayModes &modes,
                      WindowLayout &layout);

    bool barHidden(Bar bar) const override;
    void toggleBar(Bar bar) override;
    void toggleExpertMode() override;
    void unMaximise() override;
    void setFrame(Edge edge, double twips) override;
    void setResizable(bool resizable) override;
    void layOutTabs() override;

private:
    QWidget &m_window;
    SpeedMenu &m_menu;
    DisplayModes &m_modes;
    WindowLayout &m_layout;
};

}  // namespace pelquin
