#pragma once

#include "core/browser_control.h"
#include "tabs/status_line.h"

#include <QObject>

class QLabel;
class QProgressBar;
class QStatusBar;
class QWidget;

namespace pelquin {

class TabCollection;
class TabStrip;

// The status bar with its first panel, the padlock picture and the progress bar.
// The padlock tells of the selected tab's page: a padlock for a certificate the engine
// trusted, a warning sign for one the user accepted past an error, nothing otherwise.
class StatusArea : public QObject, public StatusLine {
    Q_OBJECT
public:
    explicit StatusArea(QWidget *parent);

    QStatusBar *statusBar() const { return m_statusBar; }
    QLabel *padlock() const { return m_padlock; }
    QProgressBar *progressBar() const { return m_progress; }

    QString text() const override;
    void setText(const QString &text) override;
    // Shows `text` over the first panel for a moment; the panel's own text then returns.
    void showForAMoment(const QString &text) override;
    // Maximum first, then the value, so a value above the old maximum is not cut.
    void setProgress(int maximum, int value);
    void setProgressValue(int value);
    void setPanelMinWidth(int pixels);
    // The security of the selected tab's page; the picture shows only with the status bar.
    void showSecurity(PageSecurity security);
    PageSecurity security() const { return m_security; }
    // Shows or hides the picture as the status bar is shown or hidden.
    void updateSecurityPicture();
    // Shows the status text and progress of whichever tab is selected in `strip`.
    void followSelectedTab(TabCollection &tabs, const TabStrip &strip);

private:
    QStatusBar *m_statusBar;
    QLabel *m_panel;
    QLabel *m_padlock;
    QProgressBar *m_progress;
    PageSecurity m_security = PageSecurity::None;
};

}  // namespace pelquin
