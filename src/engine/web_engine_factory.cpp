#include "engine/web_engine_factory.h"

#include "engine/download_manager.h"
#include "core/spelling_language.h"
#include "engine/popup_window.h"
#include "engine/spelling.h"
#include "engine/web_browser.h"

#include <QApplication>
#include <QDir>
#include <QLocale>
#include <QNetworkProxy>
#include <QWebEngineCookieStore>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineSettings>
#include <QWebEngineUrlRequestInfo>
#include <QWebEngineUrlRequestInterceptor>
#include <QtDebug>

#include <atomic>

namespace pelquin {

// Blocks every request that would reach the network while the program works offline.
class WebEngineFactory::OfflineInterceptor final : public QWebEngineUrlRequestInterceptor {
public:
    void interceptRequest(QWebEngineUrlRequestInfo &info) override
    {
        if (!m_offline.load())
            return;
        const QString scheme = info.requestUrl().scheme().toLower();
        static const QStringList local = {QStringLiteral("file"), QStringLiteral("data"),
                                          QStringLiteral("blob"), QStringLiteral("qrc"),
                                          QStringLiteral("about")};
        if (!local.contains(scheme))
            info.block(true);
    }

    // The engine may ask from another thread than the one that switches.
    std::atomic<bool> m_offline{false};
};

QByteArray engineFlagsWith(const QByteArray &flags, bool processPerSite)
{
    static const QByteArray option = QByteArrayLiteral("--process-per-site");
    const bool given = flags.split(' ').contains(option);
    if (!processPerSite || given)
        return flags;
    return flags.trimmed().isEmpty() ? option : flags.trimmed() + ' ' + option;
}

void chooseProcessModel(bool processPerSite)
{
    const QByteArray flags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
    const QByteArray chosen = engineFlagsWith(flags, processPerSite);
    if (chosen != flags)
        qputenv("QTWEBENGINE_CHROMIUM_FLAGS", chosen);
}

WebEngineFactory::WebEngineFactory(const QString &appFolder, Prompts &prompts,
                                   Storage storage, QObject *parent)
    : QObject(parent),
      m_prompts(prompts),
      m_interceptor(std::make_unique<OfflineInterceptor>()),
      // A profile without a name keeps nothing on disk; a named one does.
      m_profile(storage == Storage::OffTheRecord
                    ? std::make_unique<QWebEngineProfile>()
                    : std::make_unique<QWebEngineProfile>(QStringLiteral("pelquin")))
{
    if (storage == Storage::OnDisk) {
        const QString folder = QDir(appFolder).filePath(QStringLiteral("engine"));
        QDir().mkpath(folder);
        m_profile->setPersistentStoragePath(folder);
        m_profile->setCachePath(QDir(folder).filePath(QStringLiteral("cache")));
        m_profile->setHttpCacheType(QWebEngineProfile::DiskHttpCache);
        m_profile->setPersistentCookiesPolicy(QWebEngineProfile::ForcePersistentCookies);
    }
    m_profile->settings()->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, true);
    // PDF files open in the tab through the engine's own viewer.
    m_profile->settings()->setAttribute(QWebEngineSettings::PluginsEnabled, true);
    m_profile->settings()->setAttribute(QWebEngineSettings::PdfViewerEnabled, true);
    m_profile->settings()->setAttribute(QWebEngineSettings::FullScreenSupportEnabled, true);
    m_spellingLanguage = spellingLanguageFor(QLocale::system().uiLanguages(),
                                             spellingDictionariesIn(spellingDictionaryFolder()));
    if (!m_spellingLanguage.isEmpty())
        m_profile->setSpellCheckLanguages({m_spellingLanguage});
    m_certificateExceptions = std::make_shared<QSet<QString>>();
    m_downloads = std::make_unique<DownloadManager>(*m_profile, [this](QWebEnginePage *page) {
        for (const QPointer<WebEngineBrowser> &browser : std::as_const(m_browsers)) {
            if (browser && page && browser->enginePage() == page)
                return m_tabs.value(browser.data());
        }
        return 0;
    });
}

bool WebEngineFactory::offTheRecord() const { return m_profile->isOffTheRecord(); }

WebEngineFactory::~WebEngineFactory()
{
    // Whatever still shows a page of the profile must go first, or the engine crashes later.
    for (const QPointer<WebEngineBrowser> &browser : std::as_const(m_browsers))
        delete browser.data();
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget *window : windows) {
        auto *popup = qobject_cast<PopupWindow *>(window);
        if (popup && popup->page()->profile() == m_profile.get())
            delete popup;
    }
    m_downloads.reset();
    m_profile->setUrlRequestInterceptor(nullptr);
}

BrowserControl *WebEngineFactory::create(int tab, QWidget *parent)
{
    auto *browser = new WebEngineBrowser(*m_profile, m_prompts, parent,
                                         m_certificateExceptions);
    browser->setBrowsingRecords(m_records);
    browser->setObjectName(QStringLiteral("browser%1").arg(tab));
    browser->widget()->setObjectName(QStringLiteral("page%1").arg(tab));
    m_browsers.removeIf([](const QPointer<WebEngineBrowser> &b) { return b.isNull(); });
    m_browsers.append(browser);
    m_tabs.removeIf([this](auto entry) { return !m_browsers.contains(entry.key()); });
    m_tabs.insert(browser, tab);
    return browser;
}

void WebEngineFactory::setOffline(bool offline)
{
    m_interceptor->m_offline.store(offline);
    // Only while offline: an interceptor makes every request of every tab wait its turn on
    // the UI thread, which at start-up is busy drawing the window.
    m_profile->setUrlRequestInterceptor(offline ? m_interceptor.get() : nullptr);
}

bool WebEngineFactory::offline() const
{
    return m_interceptor->m_offline.load();
}

void WebEngineFactory::applyOptions(const BrowserOptions &options)
{
    QWebEngineSettings *settings = m_profile->settings();
    settings->setAttribute(QWebEngineSettings::JavascriptEnabled, options.javascript);
    settings->setAttribute(QWebEngineSettings::AutoLoadImages, options.images);
    m_profile->setSpellCheckEnabled(options.spellCheck && !m_spellingLanguage.isEmpty());
    // The engine takes its proxy from the application's.
    switch (options.proxy) {
    case BrowserOptions::Proxy::None:
        QNetworkProxyFactory::setUseSystemConfiguration(false);
        QNetworkProxy::setApplicationProxy(QNetworkProxy(QNetworkProxy::NoProxy));
        break;
    case BrowserOptions::Proxy::System:
        QNetworkProxy::setApplicationProxy(QNetworkProxy(QNetworkProxy::DefaultProxy));
        QNetworkProxyFactory::setUseSystemConfiguration(true);
        break;
    case BrowserOptions::Proxy::Manual:
        QNetworkProxyFactory::setUseSystemConfiguration(false);
        QNetworkProxy::setApplicationProxy(
            QNetworkProxy(QNetworkProxy::HttpProxy, options.proxyHost, options.proxyPort));
        break;
    }
}

void WebEngineFactory::clearCache()
{
    m_profile->clearHttpCache();
}

DownloadList &WebEngineFactory::downloads()
{
    return m_downloads->list();
}

void WebEngineFactory::setDownloadFolder(const QString &folder)
{
    m_downloads->setFolder(folder);
}

void WebEngineFactory::clearCookies()
{
    m_profile->cookieStore()->deleteAllCookies();
}

}  // namespace pelquin
