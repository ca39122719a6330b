#pragma once

#include "core/browser_control.h"
#include "watch/watch_options.h"

#include <QDialog>

class QCheckBox;
class QGroupBox;
class QLineEdit;
class QRadioButton;
class QSpinBox;

namespace pelquin {

class SettingsStore;

BrowserOptions loadBrowserOptions(const SettingsStore &settings);
void saveBrowserOptions(SettingsStore &settings, const BrowserOptions &options);
WatchOptions loadWatchOptions(const SettingsStore &settings);
// The search for words typed into an address box; the default when the stored one is unusable.
QString loadSearchTemplate(const SettingsStore &settings);
void saveWatchOptions(SettingsStore &settings, const WatchOptions &options);

// "Internet Options": clearing the cache and cookies at once; JavaScript, images and the
// proxy applied to every browser, and the ways of watching pages, remembered when OK is
// pressed.
class InternetOptionsDialog : public QDialog {
    Q_OBJECT
public:
    InternetOptionsDialog(BrowserFactory &browsers, SettingsStore &settings,
                          QWidget *parent = nullptr);

    BrowserOptions options() const;
    void setOptions(const BrowserOptions &options);
    WatchOptions watchOptions() const;
    QString searchTemplate() const;
    void setWatchOptions(const WatchOptions &options);
    void accept() override;

private:
    // Each builds one group of the dialog around the members it shows.
    QGroupBox *storedByPagesGroup();
    QGroupBox *contentGroup();
    QGroupBox *connectionGroup();
    QGroupBox *searchGroup();
    QGroupBox *memoryGroup();
    QGroupBox *watchingGroup();
    // The host and port matter only for a manual proxy.
    void enableManualProxy();

    BrowserFactory &m_browsers;
    SettingsStore &m_settings;
    QCheckBox *m_javascript;
    QCheckBox *m_images;
    QCheckBox *m_spellCheck;
    QRadioButton *m_noProxy;
    QRadioButton *m_systemProxy;
    QRadioButton *m_manualProxy;
    QLineEdit *m_host;
    QSpinBox *m_port;
    QCheckBox *m_processPerSite;
    QLineEdit *m_search;
    QCheckBox *m_notifyChanges;
    QCheckBox *m_rotate;
    QSpinBox *m_rotateSeconds;
};

}  // namespace pelquin
