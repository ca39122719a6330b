#include "desktop/desktop_commands.h"
#include "desktop/favorites.h"
#include "desktop/history_folder.h"
#include "desktop/internet_options.h"
#include "platform/settings_store.h"
#include "platform/text_file.h"
#include "commands/speed_menu.h"
#include "support/temp_home.h"
#include "support/window_parts_fixture.h"
#include "tabs/staged_loading.h"
#include "shell/status_area.h"
#include "tabs/tab_strip.h"
#include "tabs/timers.h"

#include <QAction>
#include <QCheckBox>
#include <QSpinBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QUrl>

#include <memory>

using namespace pelquin;

// The desktop commands alone on the loading tabs, started up with tab 3 refreshed each
// minute; the Work Offline item runs them as the window's commands do.
class DesktopTest : public test::LoadingFixture {
protected:
    DesktopTest()
    {
        session.appFolder = home.folder();
        // Words typed in a test are searched for on a site that cannot exist.
        settings.setValue(setting::SearchTemplate,
                          QStringLiteral("http://search.localhost/?q=%s"));
        MailLookup mail{[this] { return mailHandler; }, {home.file("applications")}};
        ProcessStarter start = [this](const QString &line) {
            started << line;
            return true;
        };
        m_desktop = std::make_unique<DesktopCommands>(
            DesktopDeps{window, session, controls(), *menu.offlineItem, factory, settings,
                        prompts, errors, timers, history, mail, start});
        QObject::connect(menu.offlineItem, &QAction::triggered, m_desktop.get(),
                         [this] { m_desktop->toggleOffline(); });
    }
    void SetUp() override
    {
        QDir().mkpath(home.file("Favorites"));
        setProfile({{3, QStringLiteral("http://three.example/")}}, {{3, "R"}}, 1);
        startUp();
    }
    DesktopCommands &desktop() { return *m_desktop; }
    void answerFavorites(const char *button)
    {
        prompts.onNextForm([button](QDialog &d) {
            d.findChild<QPushButton *>(QLatin1String(button))->click();
            return d.result();
        });
    }

    test::TempHome home;
    SettingsStore settings{home.settingsPath()};
    HistoryFolder history{home.file("History")};
    QStringList started;  // command lines the desktop commands started
    QString mailHandler;  // the desktop file of the default mail program

private:
    std::unique_ptr<DesktopCommands> m_desktop;
};

TEST_F(DesktopTest, NavigateToShowsTheFavoritesPageInTabOne)
{
    writeTextFile(home.file("Favorites/News.url"),
                  {QStringLiteral("[InternetShortcut]"),
                   QStringLiteral("URL=http://news.example/")});
    strip.select(5);
    answerFavorites("navigateButton");
    desktop().showFavorites();
    EXPECT_TRUE(
        QString::fromUtf8(home.read("FAVES.HTM")).contains(QStringLiteral("news.example")));
    EXPECT_EQ(browser(1).navigations.last(), home.file("FAVES.HTM"));
    EXPECT_EQ(strip.selected(), 1);
    EXPECT_FALSE(timers.pauses().has(RefreshPause::FavoritesPrompt));
    EXPECT_TRUE(timers.refreshTimer().isActive());
}

TEST_F(DesktopTest, AddToWritesAShortcutWithTheTitleTheUserGave)
{
    browser(5).load(QStringLiteral("http://page.example/a"), QStringLiteral("A Page"));
    strip.select(5);
    answerFavorites("addButton");
    QString shown;
    prompts.onNextForm([&](QDialog &d) {
        auto *title = d.findChild<QLineEdit *>(QStringLiteral("Title"));
        shown = title->text();
        title->setText(QStringLiteral("Mine: a/b"));
        d.accept();
        return int(QDialog::Accepted);
    });
    desktop().showFavorites();
    EXPECT_EQ(shown, QStringLiteral("A Page"));
    EXPECT_EQ(shortcutAddress(home.file("Favorites/Mine_ a_b.url")),
              QStringLiteral("http://page.example/a"));
}

TEST_F(DesktopTest, CancellingTheFavoritesQuestionDoesNothing)
{
    answerFavorites("cancelButton");
    desktop().showFavorites();
    EXPECT_FALSE(QFile::exists(home.file("FAVES.HTM")));
    EXPECT_TRUE(timers.refreshTimer().isActive());
}

TEST_F(DesktopTest, HistoryShowsAPageOfTheFoldersPagesByDayNewestFirstInTabOne)
{
    HistoryFolder folder(home.file("History"));
    const QDateTime monday(QDate(2026, 3, 2), QTime(9, 30));
    folder.recordVisit(QStringLiteral("http://old.example/"), QStringLiteral("Old & news"),
                       monday);
    folder.recordVisit(QStringLiteral("https://new.example/"), QStringLiteral("New"),
                       monday.addDays(1));
    writeTextFile(home.file("History/Sneaky.url"),
                  {QStringLiteral("[InternetShortcut]"), QStringLiteral("URL=javascript:x()")});
    strip.select(4);
    desktop().showHistory();
    EXPECT_EQ(browser(1).navigations.last(), home.file("HISTORY.HTM"));
    EXPECT_EQ(strip.selected(), 1);
    QFile written(home.file("HISTORY.HTM"));
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    const QString page = QString::fromUtf8(written.readAll());
    const qsizetype newer = page.indexOf(QStringLiteral("href=\"https://new.example/\">New<"));
    const qsizetype older =
        page.indexOf(QStringLiteral("href=\"http://old.example/\">Old &amp; news<"));
    EXPECT_GE(newer, 0) << qPrintable(page);
    EXPECT_GT(older, newer);  // newest first
    EXPECT_EQ(page.count(QStringLiteral("<h2>")), 2);  // one heading per day
    EXPECT_FALSE(page.contains(QStringLiteral("javascript:")));
    EXPECT_EQ(status.text(),
              QStringLiteral("Drag History Items to Address Bar, clicking will open them in "
                             "this Tab"));
}

TEST_F(DesktopTest, MailStartsTheDefaultHandlerByName)
{
    QDir().mkpath(home.file("applications"));
    writeTextFile(home.file("applications/mailer.desktop"),
                  {QStringLiteral("[Desktop Entry]"),
                   QStringLiteral("Exec=\"/usr/bin/mailer\" --compose %u /switch")});
    mailHandler = QStringLiteral("mailer.desktop");
    desktop().sendEmail();
    EXPECT_EQ(started, QStringList{"mailer --compose "});
    mailHandler.clear();
    desktop().sendEmail();
    EXPECT_EQ(started.size(), 1);
    EXPECT_TRUE(prompts.messages().empty());
}

TEST_F(DesktopTest, WorkingOfflineStopsLoadingAndHoldsStagedLoadingAndRefresh)
{
    browser(3).load(QStringLiteral("http://three.example/"));
    browser(4).navigate(QStringLiteral("http://slow.example/"));
    menu.offlineItem->trigger();
    EXPECT_TRUE(timers.pauses().has(RefreshPause::Offline));
    EXPECT_TRUE(factory.offline());
    EXPECT_TRUE(menu.offlineItem->isChecked());
    EXPECT_EQ(browser(4).stops, 1);
    EXPECT_EQ(browser(3).stops, 0);
    clock.advance(300);
    timers.onRefreshTick();
    EXPECT_EQ(browser(3).refreshes, 0);
    tabs.tab(3).state().started = false;
    session.tabs.startupDone = false;
    const int before = browser(3).navigations.size();
    staged.startNextTabs();
    EXPECT_EQ(browser(3).navigations.size(), before);
    menu.offlineItem->trigger();
    EXPECT_FALSE(timers.pauses().has(RefreshPause::Offline));
    EXPECT_FALSE(factory.offline());
    EXPECT_FALSE(menu.offlineItem->isChecked());
    timers.onRefreshTick();
    EXPECT_EQ(browser(3).navigations.size(), before + 1);
}

TEST_F(DesktopTest, SavePageAsksTheBrowserOnlyWhenItCanSave)
{
    strip.select(6);
    desktop().savePageToDisk();
    EXPECT_TRUE(browser(6).execs.isEmpty());
    browser(6).load(QStringLiteral("http://six.example/"));
    desktop().savePageToDisk();
    EXPECT_EQ(browser(6).execs, QList<PageCommand>{PageCommand::SaveAs});
}

TEST_F(DesktopTest, InternetOptionsApplyAtOnceAndAreRemembered)
{
    EXPECT_EQ(factory.optionsApplied, 1);  // the stored options, at start
    prompts.onNextForm([](QDialog &d) {
        d.findChild<QPushButton *>(QStringLiteral("clearCache"))->click();
        d.findChild<QPushButton *>(QStringLiteral("clearCookies"))->click();
        auto &options = static_cast<InternetOptionsDialog &>(d);
        BrowserOptions o = options.options();
        o.javascript = false;
        o.proxy = BrowserOptions::Proxy::Manual;
        o.proxyHost = QStringLiteral("proxy.example");
        o.proxyPort = 3128;
        options.setOptions(o);
        options.accept();
        return int(QDialog::Accepted);
    });
    desktop().showInternetOptions();
    EXPECT_EQ(factory.cacheClears, 1);
    EXPECT_EQ(factory.cookieClears, 1);
    EXPECT_FALSE(factory.options.javascript);
    EXPECT_EQ(factory.options.proxyHost, QStringLiteral("proxy.example"));
    const BrowserOptions stored = loadBrowserOptions(SettingsStore(home.settingsPath()));
    EXPECT_FALSE(stored.javascript);
    EXPECT_TRUE(stored.images);
    EXPECT_EQ(stored.proxy, BrowserOptions::Proxy::Manual);
    EXPECT_EQ(stored.proxyPort, 3128);
}

TEST_F(DesktopTest, TheWaysOfWatchingPagesAreOffUntilChosenAndTakeEffectOnOk)
{
    EXPECT_EQ(loadWatchOptions(SettingsStore(home.settingsPath())), WatchOptions{});
    QList<WatchOptions> applied;
    QObject::connect(&desktop(), &DesktopCommands::watchOptionsChanged,
                     [&applied](const WatchOptions &o) { applied << o; });
    prompts.onNextForm([](QDialog &d) {
        EXPECT_FALSE(d.findChild<QCheckBox *>(QStringLiteral("notifyChanges"))->isChecked());
        EXPECT_FALSE(d.findChild<QSpinBox *>(QStringLiteral("rotateSeconds"))->isEnabled());
        d.findChild<QCheckBox *>(QStringLiteral("notifyChanges"))->setChecked(true);
        d.findChild<QCheckBox *>(QStringLiteral("rotateTabs"))->setChecked(true);
        d.findChild<QSpinBox *>(QStringLiteral("rotateSeconds"))->setValue(2);  // at least 5
        static_cast<InternetOptionsDialog &>(d).accept();
        return int(QDialog::Accepted);
    });
    desktop().showInternetOptions();
    const WatchOptions chosen{true, 5};
    ASSERT_EQ(applied.size(), 1);
    EXPECT_EQ(applied.first(), chosen);
    EXPECT_EQ(loadWatchOptions(SettingsStore(home.settingsPath())), chosen);

    prompts.onNextForm([](QDialog &d) {
        d.findChild<QCheckBox *>(QStringLiteral("rotateTabs"))->setChecked(false);
        d.reject();
        return int(QDialog::Rejected);
    });
    desktop().showInternetOptions();
    EXPECT_EQ(applied.size(), 1);  // Cancel changes nothing
    EXPECT_EQ(loadWatchOptions(SettingsStore(home.settingsPath())), chosen);
}

TEST_F(DesktopTest, SharingOneProcessPerSiteIsOffUntilTheUserChoosesItAndSaysItsCost)
{
    EXPECT_FALSE(loadBrowserOptions(SettingsStore(home.settingsPath())).processPerSite);
    QString said;
    prompts.onNextForm([&said](QDialog &d) {
        auto *share = d.findChild<QCheckBox *>();
        for (QCheckBox *box : d.findChildren<QCheckBox *>()) {
            if (box->text().contains(QStringLiteral("same &site")))
                share = box;
        }
        EXPECT_FALSE(share->isChecked());
        share->setChecked(true);
        for (const QLabel *label : d.findChildren<QLabel *>())
            said += label->text();
        static_cast<InternetOptionsDialog &>(d).accept();
        return int(QDialog::Accepted);
    });
    desktop().showInternetOptions();
    EXPECT_TRUE(said.contains(QStringLiteral("other tabs")));
    EXPECT_TRUE(said.contains(QStringLiteral("starts again")));
    EXPECT_TRUE(loadBrowserOptions(SettingsStore(home.settingsPath())).processPerSite);
}

TEST_F(DesktopTest, SpellCheckingIsOnUntilTheUserSwitchesItOff)
{
    EXPECT_TRUE(factory.options.spellCheck);  // nothing stored yet: on
    prompts.onNextForm([](QDialog &d) {
        auto *check = d.findChild<QCheckBox *>(QStringLiteral("spellCheck"));
        EXPECT_TRUE(check->isChecked());
        check->setChecked(false);
        static_cast<InternetOptionsDialog &>(d).accept();
        return int(QDialog::Accepted);
    });
    desktop().showInternetOptions();
    EXPECT_FALSE(factory.options.spellCheck);
    EXPECT_FALSE(loadBrowserOptions(SettingsStore(home.settingsPath())).spellCheck);
}

TEST_F(DesktopTest, TheSpellingBoxNamesItsLanguageOrSaysThereIsNoDictionary)
{
    const auto spellingBox = [this] {
        QString text;
        bool enabled = false;
        prompts.onNextForm([&](QDialog &d) {
            auto *check = d.findChild<QCheckBox *>(QStringLiteral("spellCheck"));
            text = check->text();
            enabled = check->isEnabled();
            d.reject();
            return int(QDialog::Rejected);
        });
        desktop().showInternetOptions();
        return std::make_pair(text, enabled);
    };
    EXPECT_EQ(spellingBox(),
              std::make_pair(
                  QStringLiteral("Check spe&lling as I type, in English (United States)"), true));
    factory.spelling.clear();
    const auto [text, enabled] = spellingBox();
    EXPECT_TRUE(text.contains(QStringLiteral("no dictionary"))) << qPrintable(text);
    EXPECT_FALSE(enabled);
}
