#pragma once

#include "tabs/tab_controls.h"

#include <QFrame>
#include <QPointer>

#include <functional>

class QLabel;

namespace pelquin {

class BrowserTab;
class Prompts;
class WatchedPages;

// "Watch This Part of the Page": the block under the pointer is outlined in the page, and a
// bar over the page offers Wider (its parent), Narrower (back), Watch (a rule for the page
// with that part) and Cancel. "Stop Watching This Page" takes the page's rule away.
class PartPicking : public QFrame {
    Q_OBJECT
public:
    struct Deps {
        TabControls controls;
        WatchedPages &pages;
        Prompts *prompts = nullptr;  // says when the rules cannot be saved
        std::function<QRect()> pageArea;
    };
    PartPicking(Deps deps, QWidget *window);

    void start(BrowserTab &tab);
    void wider();
    void narrower();
    void watch();
    void cancel();
    void stopWatching(BrowserTab &tab);
    // The part was picked on the page the user left, if another tab is selected.
    void tabSelected(int selected);
    QString selector() const { return m_selector; }
    QString shownText() const;

private:
    void step(PickStep step);
    void showPart(const QString &selector, const QString &text);
    void saveRules();

    Deps m_d;
    QPointer<BrowserTab> m_tab;
    QString m_selector;
    QLabel *m_label;
};

}  // namespace pelquin
