#pragma once

#include <QObject>
#include <QTimer>

namespace pelquin {

// Hides the mouse pointer once it has not moved for a while, and shows it again at the next
// movement, while active: a screen nobody sits at shows no pointer over its pages.
class IdlePointer : public QObject {
    Q_OBJECT
public:
    static constexpr int kHideAfterMs = 5000;

    explicit IdlePointer(int hideAfterMs = kHideAfterMs, QObject *parent = nullptr);
    ~IdlePointer() override;

    void setActive(bool active);
    bool active() const { return m_active; }
    bool hidden() const { return m_hidden; }
    const QTimer &timer() const { return m_timer; }
    // The pointer has rested long enough: it goes.
    void onIdle();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void show();

    QTimer m_timer;
    bool m_active = false;
    bool m_hidden = false;
};

}  // namespace pelquin
