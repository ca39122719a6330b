#pragma once

#include <QString>
#include <QUrl>

namespace pelquin {

// What a page script and the Setup dialog may change on the main window: its bars, buttons
// and speed menu, full screen mode, its box on the screen, the tab strip and the tabs'
// pages. Tabs are numbered from 1. The shell implements it.
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
    // Places every tab's address box and browser for the bars shown.
    virtual void layOutTabs() = 0;

    virtual int buttonCount() const = 0;
    virtual void setButtonVisible(int button, bool visible) = 0;
    // Whether Alt then M opens the speed menu.
    virtual void setSpeedMenuAllowed(bool allowed) = 0;

    // The tabs the strip shows now; every tab keeps its page whatever the strip shows.
    virtual int stripTabCount() const = 0;
    // The strip shows `count` tabs (1 to 30), tab 1 selected.
    virtual void setStripTabCount(int count) = 0;
    virtual void setStripVisible(bool visible) = 0;
    virtual void selectTab(int tab) = 0;
    // The caption the page gives tab t: shown, and kept for the tab's next pages.
    virtual void setScriptCaption(int tab, const QString &caption) = 0;
    // The tabs that have a page, whether the strip shows them or not.
    virtual int pageCount() const = 0;
    // Tab t's page shows nothing; raises 91 when the tab has no document yet.
    virtual void blankTab(int tab) = 0;
    virtual void loadInTab(int tab, const QUrl &address) = 0;
};

}  // namespace pelquin
