#include "shell/status_area.h"

#include "tabs/artwork.h"
#include "tabs/tab_collection.h"
#include "tabs/tab_strip.h"

#include <QLabel>
#include <QProgressBar>
#include <QStatusBar>

namespace pelquin {

StatusArea::StatusArea(QWidget *parent)
    : QObject(parent), m_statusBar(new QStatusBar(parent)), m_panel(new QLabel(m_statusBar)),
      m_padlock(new QLabel(parent)), m_progress(new QProgressBar(parent))
{
    m_statusBar->setObjectName(QStringLiteral("statusBar"));
    m_statusBar->setSizeGripEnabled(false);
    m_statusBar->addWidget(m_panel, 1);
    m_panel->setObjectName(QStringLiteral("statusPanel"));
    m_panel->setTextFormat(Qt::PlainText);
    m_padlock->setObjectName(QStringLiteral("padlock"));
    m_padlock->setPixmap(padlockPixmap());
    m_padlock->setToolTip(QStringLiteral("Using Secure Connection"));
    m_padlock->setVisible(false);
    m_progress->setObjectName(QStringLiteral("progressBar"));
    m_progress->setTextVisible(false);
    m_progress->setRange(0, 100);
    m_progress->setValue(0);
}

QString StatusArea::text() const { return m_panel->text(); }

void StatusArea::setText(const QString &text) { m_panel->setText(text); }

void StatusArea::showForAMoment(const QString &text)
{
    m_statusBar->showMessage(text, 2000);
}

void StatusArea::setProgress(int maximum, int value)
{
    m_progress->setMaximum(maximum);
    setProgressValue(value);
}

void StatusArea::setProgressValue(int value)
{
    m_progress->setValue(qBound(m_progress->minimum(), value, m_progress->maximum()));
}

void StatusArea::setPanelMinWidth(int pixels) { m_panel->setMinimumWidth(pixels); }

void StatusArea::showSecurity(PageSecurity security)
{
    if (security != m_security) {
        m_security = security;
        const bool accepted = security == PageSecurity::AcceptedByUser;
        m_padlock->setPixmap(accepted ? certificateWarningPixmap() : padlockPixmap());
        m_padlock->setToolTip(accepted
                                  ? QStringLiteral("Not secure: you accepted this site's "
                                                   "certificate despite an error")
                                  : QStringLiteral("Using Secure Connection"));
        m_padlock->setAccessibleName(m_padlock->toolTip());
    }
    updateSecurityPicture();
}

void StatusArea::followSelectedTab(TabCollection &tabs, const TabStrip &strip)
{
    for (BrowserTab &tab : tabs) {
        const int number = tab.number();
        connect(&tab, &BrowserTab::statusTextChanged, this,
                [this, &strip, number](const QString &text) {
                    if (number != strip.selected())
                        return;
                    setText(text);
                    m_statusBar->raise();
                    m_statusBar->update();
                });
        // Only the selected tab's progress is kept: a tab shows where it stood when it was
        // last in front.
        connect(&tab, &BrowserTab::progressChanged, this,
                [this, &strip, &tab](int value, int maximum) {
                    if (tab.number() != strip.selected())
                        return;
                    tab.state().progressMax = maximum;
                    tab.state().progressValue = value;
                    setProgress(maximum, value);
                });
        connect(&tab, &BrowserTab::securityChanged, this,
                [this, &strip, number](PageSecurity security) {
                    if (number == strip.selected())
                        showSecurity(security);
                });
    }
}

void StatusArea::updateSecurityPicture()
{
    m_padlock->setVisible(m_security != PageSecurity::None && !m_statusBar->isHidden());
}

}  // namespace pelquin
