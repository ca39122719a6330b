#pragma once

#include <QStringList>
#include <QToolBar>

#include <vector>

class QAction;

namespace pelquin {

// The twelve buttons, numbered from 1, each known by its name.
class ButtonBar : public QToolBar {
    Q_OBJECT
public:
    static const QStringList &names();  // "Back", "Forward", ... "Help"

    explicit ButtonBar(QWidget *parent = nullptr);

    int count() const { return static_cast<int>(m_actions.size()); }
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
};

}  // namespace pelquin
