#pragma once

#include <QStyle>
#include <QToolBar>

#include <vector>

class QAction;

namespace pelquin {

class SpeedMenu;

// The buttons, numbered from 1 in the order they were added. A button shows its command's
// action (the one its menu item and keys share): its enabled state and tooltip. A click
// does not trigger the action but says which button it was, so that an open Setup dialog
// can hold the command back.
class ButtonBar : public QToolBar {
    Q_OBJECT
public:
    explicit ButtonBar(QWidget *parent = nullptr);

    // Gives each command of the table that has a button its button, in the bar's order,
    // showing the command's item of `menu`.
    void showCommands(const SpeedMenu &menu);
    // The next button, for `action`, captioned `text` under `picture`.
    void addButton(QAction *action, const QString &text, QStyle::StandardPixmap picture);
    int count() const { return static_cast<int>(m_actions.size()); }
    // The action button `index` shows.
    QAction *button(int index) const { return m_actions.at(static_cast<size_t>(index - 1)); }
    bool enabled(int index) const;
    void setEnabledAt(int index, bool enabled);
    bool visibleAt(int index) const;
    void setVisibleAt(int index, bool visible);
    void setToolTipAt(int index, const QString &tip);

signals:
    // Button `index`, 1 to 12.
    void buttonClicked(int index);
    void mouseMoved();

protected:
    bool event(QEvent *event) override;

private:
    std::vector<QAction *> m_actions;
    std::vector<QAction *> m_places;  // each button's place on the bar: hidden or shown
};

}  // namespace pelquin
