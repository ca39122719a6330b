// engine/: the pelquin_engine library, the only code that reaches Qt WebEngine and Qt HTTP
// Server: the browsers behind BrowserControl, their shared profile and the sponsor server.

#pragma once

#include "core/browser_control.h"

#include <QList>
#include <QMap>
#include <QSet>
#include <QObject>
#include <QPointer>

#include <memory>

class QWebEngineProfile;

namespace pelquin {

class DownloadManager;
class Prompts;

// The engine's options with the process model asked for: one page process per site, or the
// engine's own choice. Options the user gave the engine are kept.
QByteArray engineFlagsWith(const QByteArray &flags, bool processPerSite);
// Sets the process model for this run; call before the first profile is made.
void chooseProcessModel(bool processPerSite);

class WebEngineBrowser;

// Makes the Qt WebEngine browsers and owns the one persistent profile they share.
// Destroy every browser before the factory: the pages must go before their profile.
class WebEngineFactory final : public QObject, public BrowserFactory {
    Q_OBJECT
public:
    enum class Storage { OnDisk, OffTheRecord };
    // The engine keeps its cookies, storage and cache under `appFolder`/engine; off the
    // record, only in memory for the run.
    WebEngineFactory(const QString &appFolder, Prompts &prompts,
                     Storage storage = Storage::OnDisk, QObject *parent = nullptr);
    bool offTheRecord() const;
    ~WebEngineFactory() override;

    BrowserControl *create(int tab, QWidget *parent) override;
    void setOffline(bool offline) override;
    bool offline() const override;
    void applyOptions(const BrowserOptions &options) override;
    void clearCache() override;
    void clearCookies() override;
    DownloadList &downloads() override;
    // Saves downloads into `folder` instead of the desktop's download folder.
    void setDownloadFolder(const QString &folder);
    // Where shortcuts are read and completed pages recorded; none until set.
    void setBrowsingRecords(BrowsingRecords *records) { m_records = records; }

    // The shared profile, for the engine's options (cache, cookies, scripts).
    QWebEngineProfile &profile() const { return *m_profile; }
    QString spellingLanguage() const override { return m_spellingLanguage; }

private:
    class OfflineInterceptor;

    Prompts &m_prompts;
    // Declared before the profile so that it outlives the profile that uses it.
    std::unique_ptr<OfflineInterceptor> m_interceptor;
    std::unique_ptr<QWebEngineProfile> m_profile;
    // Declared after the profile so that it goes first.
    std::unique_ptr<DownloadManager> m_downloads;
    std::shared_ptr<QSet<QString>> m_certificateExceptions;
    QList<QPointer<WebEngineBrowser>> m_browsers;
    QMap<WebEngineBrowser *, int> m_tabs;
    BrowsingRecords *m_records = nullptr;
    QString m_spellingLanguage;
};

}  // namespace pelquin
