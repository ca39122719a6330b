#pragma once

namespace pelquin {

// What a page script and the Setup dialog may change on the main window: its bars, full
// screen mode, its box on the screen and the tabs' layout. The shell implements it.
class ScriptableWindow {
public:
    enum class Bar { Buttons, Address, Status };
    enum class Edge { Left, Top, Width, Height };

    virtual ~ScriptableWindow() = default;

    // True while the bar is hidden through its speed menu item.
    virtual bool barHidden(Bar bar) const = 0;
    // The speed menu's hide or show command for the bar.
    virtual void toggleBar(Bar bar) = 0;
    virtual void toggleExpertMode() = 0;
    // Leaves the maximised state, so that the window's own box applies again.
    virtual void unMaximise() = 0;
    // Moves one edge or one size of the outer window, in twips; kept reachable on a screen.
    virtual void setFrame(Edge edge, double twips) = 0;
    virtual void setResizable(bool resizable) = 0;
    // Places every tab's dropdown and browser for the bars shown.
    virtual void layOutTabs() = 0;
};

}  // namespace pelquin
