#pragma once

#include "core/scriptable_window.h"
#include "shell/window_controls.h"

class QWidget;

namespace pelquin {

class DisplayModes;
class SpeedMenu;
class WindowLayout;

// The main window as a page script and the Setup dialog may change it.
class MainWindowControl final : public ScriptableWindow {
public:
    MainWindowControl(QWidget &window, WindowControls controls, SpeedMenu &menu,
                      DisplayModes &modes, WindowLayout &layout);

    bool barHidden(Bar bar) const override;
    void toggleBar(Bar bar) override;
    void toggleExpertMode() override;
    void unMaximise() override;
    void setFrame(Edge edge, double twips) override;
    void setResizable(bool resizable) override;
    void layOutTabs() override;
    int buttonCount() const override;
    void setButtonVisible(int button, bool visible) override;
    void setSpeedMenuAllowed(bool allowed) override;
    int stripTabCount() const override;
    void setStripTabCount(int count) override;
    void setStripVisible(bool visible) override;
    void selectTab(int tab) override;
    void setScriptCaption(int tab, const QString &caption) override;
    int pageCount() const override;
    void blankTab(int tab) override;
    void loadInTab(int tab, const QUrl &address) override;

private:
    QWidget &m_window;
    WindowControls m_c;
    SpeedMenu &m_menu;
    DisplayModes &m_modes;
    WindowLayout &m_layout;
};

}  // namespace pelquin
