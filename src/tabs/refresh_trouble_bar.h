#pragma once

#include <QFrame>
#include <QPointer>

#include <functional>

class QLabel;
class QPushButton;

namespace pelquin {

class BrowserTab;
class TabCollection;
class TabStrip;

// The bar over the selected tab's page while its automatic refreshes fail: when it last
// failed and why, how old the page shown is, and "Try Now".
class RefreshTroubleBar final : public QFrame {
    Q_OBJECT
public:
    // `tryNow` asks the tab's address again at once, keeping its page if it fails again.
    RefreshTroubleBar(TabStrip &strip, TabCollection &tabs,
                      std::function<void(BrowserTab &)> tryNow, QWidget *window);

    // The bar when it shows over `tab`'s page; none otherwise.
    QWidget *barFor(const BrowserTab &tab);
    int heightForWidth(int width) const override;
    bool hasHeightForWidth() const override { return true; }

    QLabel *label() const { return m_label; }
    QPushButton *tryNowButton() const { return m_tryNow; }

signals:
    // The bar came or went over `tab`'s page: it makes room for it.
    void placeChanged(BrowserTab &tab);

private:
    // Shows the bar over the selected tab when it is failing, and hides it otherwise.
    void follow();

    TabStrip &m_strip;
    TabCollection &m_tabs;
    std::function<void(BrowserTab &)> m_tryAgain;
    QLabel *m_label;
    QPushButton *m_tryNow;
    QPointer<BrowserTab> m_shownOver;
};

}  // namespace pelquin
