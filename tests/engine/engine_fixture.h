#pragma once

#include "platform/scripted_prompts.h"
#include "engine/sponsor_server.h"
#include "sponsor/sponsor_site.h"
#include "support/wait.h"
#include "core/browser_control.h"
#include "engine/web_engine_factory.h"

#include <QStringList>
#include <QTemporaryDir>
#include <QWebEnginePage>
#include <QWebEngineView>

#include <gtest/gtest.h>

#include <memory>
#include <utility>
#include <vector>

namespace pelquin::test {

// Everything one browser reported, in order.
struct BrowserEvents {
    QStringList log;  // "navigate", "progress", "document", "download", ...
    std::vector<std::pair<QString, bool>> navigations;
    QStringList documents;
    QStringList statusTexts;
    int downloads = 0;
    int lastProgress = -1;
    int maximum = 0;
    bool backEnabled = false;
    bool forwardEnabled = false;
    int commandStates = 0;
    bool cancelNewWindows = false;
    int newWindows = 0;

    void watch(BrowserControl &browser)
    {
        QObject::connect(&browser, &BrowserControl::beforeNavigate, &browser,
                         [this](const QString &url, bool topLevel) {
                             log << QStringLiteral("navigate");
                             navigations.emplace_back(url, topLevel);
                         });
        QObject::connect(&browser, &BrowserControl::documentComplete, &browser,
                         [this](const QString &url, bool) {
                             log << QStringLiteral("document");
                             documents << url;
                         });
        QObject::connect(&browser, &BrowserControl::downloadComplete, &browser, [this] {
            log << QStringLiteral("download");
            ++downloads;
        });
        QObject::connect(&browser, &BrowserControl::progressChange, &browser,
                         [this](int progress, int max) {
                             if (!log.endsWith(QStringLiteral("progress")))
                                 log << QStringLiteral("progress");
                             lastProgress = progress;
                             maximum = max;
                         });
        QObject::connect(&browser, &BrowserControl::statusTextChange, &browser,
                         [this](const QString &text) { statusTexts << text; });
        QObject::connect(&browser, &BrowserControl::historyButtonChange, &browser,
                         [this](HistoryButton button, bool enabled) {
                             ++commandStates;
                             (button == HistoryButton::Forward ? forwardEnabled : backEnabled) =
                                 enabled;
                         });
        QObject::connect(&browser, &BrowserControl::newWindow, &browser, [this](bool *cancel) {
            ++newWindows;
            *cancel = cancelNewWindows;
        });
    }
};

// One sponsor server and one browser factory for a suite; a fresh browser for each test.
class EngineTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_server = std::make_unique<SponsorServer>();
        s_server->addPage(QStringLiteral("/frame.htm"), [](const QUrlQuery &) {
            return QByteArrayLiteral("<html><head><title>Frames</title></head><body>"
                                     "<iframe src=\"/inner.htm\"></iframe></body></html>");
        });
        s_server->addPage(QStringLiteral("/inner.htm"), [](const QUrlQuery &) {
            return QByteArrayLiteral("<html><body><p>inside</p></body></html>");
        });
        ASSERT_TRUE(s_server->listen(0));
        s_site = std::make_unique<SponsorSite>(QStringLiteral("pelquin.localhost:%1")
                                                   .arg(s_server->port()));
        s_dir = std::make_unique<QTemporaryDir>();
        s_prompts = std::make_unique<ScriptedPrompts>();
        s_factory = std::make_unique<WebEngineFactory>(s_dir->path(), *s_prompts);
    }

    static void TearDownTestSuite()
    {
        s_factory.reset();
        s_prompts.reset();
        // The engine's network thread may still write its state into the folder.
        waitFor([] { return s_dir->remove(); }, 3000);
        s_dir.reset();
        s_site.reset();
        s_server.reset();
    }

    void SetUp() override
    {
        m_browser.reset(s_factory->create(1, nullptr));
        m_browser->widget()->resize(800, 600);
        m_events.watch(*m_browser);
    }

    void TearDown() override
    {
        m_browser.reset();
        s_factory->setOffline(false);
        s_prompts->clear();
    }

    // Navigates and waits for the document-complete and download-complete pair.
    bool load(const QString &address, int ms = 10000)
    {
        const int documents = m_events.documents.size();
        const int downloads = m_events.downloads;
        m_browser->navigate(address);
        return waitFor([&] {
            return m_events.documents.size() > documents && m_events.downloads > downloads
                   && !m_browser->busy();
        }, ms);
    }

    QString bodyMarkup()
    {
        bool done = false;
        QString markup;
        m_browser->readBodyMarkup([&](const QString &text) {
            markup = text;
            done = true;
        });
        EXPECT_TRUE(waitFor([&] { return done; }, 5000));
        return markup;
    }

    QWebEnginePage *enginePage()
    {
        return static_cast<QWebEngineView *>(m_browser->widget())->page();
    }

    static inline std::unique_ptr<SponsorServer> s_server;
    static inline std::unique_ptr<SponsorSite> s_site;
    static inline std::unique_ptr<QTemporaryDir> s_dir;
    static inline std::unique_ptr<ScriptedPrompts> s_prompts;
    static inline std::unique_ptr<WebEngineFactory> s_factory;

    std::unique_ptr<BrowserControl> m_browser;
    BrowserEvents m_events;
};

}  // namespace pelquin::test
