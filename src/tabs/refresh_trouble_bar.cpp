#include "tabs/refresh_trouble_bar.h"

#include "tabs/browser_tab.h"
#include "tabs/tab_collection.h"
#include "tabs/tab_strip.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

namespace pelquin {

RefreshTroubleBar::RefreshTroubleBar(TabStrip &strip, TabCollection &tabs,
                                     std::function<void(BrowserTab &)> tryNow, QWidget *window)
    : QFrame(window), m_strip(strip), m_tabs(tabs), m_tryAgain(std::move(tryNow)),
      m_label(new QLabel(this)), m_tryNow(new QPushButton(QStringLiteral("&Try Now"), this))
{
    setObjectName(QStringLiteral("refreshTroubleBar"));
    setAccessibleName(QStringLiteral("Refresh failed"));
    setFrameShape(QFrame::StyledPanel);
    setAutoFillBackground(true);
    QPalette look = palette();
    look.setColor(QPalette::Window, QColor(0xfb, 0xe3, 0xe3));
    look.setColor(QPalette::WindowText, Qt::black);
    setPalette(look);
    // The reason may come from a server: shown as it is, never read as markup.
    m_label->setTextFormat(Qt::PlainText);
    m_label->setWordWrap(true);
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(6, 3, 6, 3);
    layout->addWidget(m_label, 1);
    layout->addWidget(m_tryNow);
    connect(m_tryNow, &QPushButton::clicked, this, [this] {
        if (m_shownOver)
            m_tryAgain(*m_shownOver);
    });
    connect(&m_strip, &TabStrip::selectionHandling, this, &RefreshTroubleBar::follow);
    for (BrowserTab &tab : m_tabs)
        connect(&tab, &BrowserTab::healthChanged, this, &RefreshTroubleBar::follow);
    setVisible(false);
}

QWidget *RefreshTroubleBar::barFor(const BrowserTab &tab)
{
    return !isHidden() && m_shownOver == &tab ? this : nullptr;
}

int RefreshTroubleBar::heightForWidth(int width) const
{
    const int textWidth = qMax(80, width - m_tryNow->sizeHint().width() - 30);
    return qMax(m_label->heightForWidth(textWidth), m_tryNow->sizeHint().height()) + 8;
}

void RefreshTroubleBar::follow()
{
    const int selected = m_strip.selected();
    BrowserTab *tab = selected >= 1 && selected <= m_tabs.count() ? &m_tabs.tab(selected)
                                                                  : nullptr;
    const bool show = tab && tab->refreshTrouble().failing();
    BrowserTab *before = isHidden() ? nullptr : m_shownOver.data();
    if (show)
        m_label->setText(tab->refreshTrouble().barText(tab->goodPageTime()));
    if (show == !isHidden() && before == tab) {
        if (before)
            emit placeChanged(*before);  // its words may need another line
        return;
    }
    m_shownOver = show ? tab : nullptr;
    setVisible(show);
    if (before && before != tab)
        emit placeChanged(*before);
    if (tab)
        emit placeChanged(*tab);
}

}  // namespace pelquin
