#include "desktop/desktop_commands.h"

#include "address/quote_strip.h"
#include "desktop/favorites.h"
#include "desktop/history_folder.h"
#include "desktop/history_page.h"
#include "desktop/internet_options.h"
#include "desktop/system_probes.h"
#include "platform/app_folder.h"
#include "platform/error_report.h"
#include "platform/prompts.h"
#include "platform/text_file.h"
#include "core/session.h"
#include "tabs/tab_strip.h"

#include <QAction>
#include <QProcess>
#include <QTimer>
#include <QUrl>

namespace pelquin {

namespace {
const QString kHistoryHint =
    QStringLiteral("Drag History Items to Address Bar, clicking will open them in this Tab");
}

ProcessStarter systemProcessStarter()
{
    return [](const QString &commandLine) {
        QStringList words = QProcess::splitCommand(commandLine);
        if (words.isEmpty())
            return false;
        const QString program = words.takeFirst();
        return QProcess::startDetached(program, words);
    };
}

DesktopCommands::DesktopCommands(DesktopDeps deps) : QObject(&deps.window), m_d(std::move(deps))
{
    m_d.browsers.applyOptions(loadBrowserOptions(m_d.settings));
    m_d.session.tabs.searchTemplate = loadSearchTemplate(m_d.settings);
}

QString DesktopCommands::favoritesFolder() const
{
    static const SystemUser user;
    // The application folder stands in for the system's folder.
    return pelquin::favoritesFolder(m_d.session.appFolder, systemMajorVersion(),
                                    user.loginName());
}

void DesktopCommands::showFavorites()
{
    Session &s = m_d.session;
    const int n = m_d.controls.tabStrip.selected();
    s.tabs.historyDirection = HistoryDirection::None;
    m_d.timers.pause(RefreshPause::FavoritesPrompt);
    FavoritesPrompt::Choice choice = FavoritesPrompt::None;
    {
        FavoritesPrompt prompt(&m_d.window);
        m_d.prompts.showModal(prompt);
        choice = prompt.choice();
    }
    m_d.timers.resume(RefreshPause::FavoritesPrompt);
    if (choice == FavoritesPrompt::Add && m_d.controls.tabs.contains(n))
        addFavorite(m_d.controls.tabs.tab(n));
    else if (choice == FavoritesPrompt::Navigate)
        showFavoritesPage();
}

void DesktopCommands::addFavoriteOfSelectedTab()
{
    const int n = m_d.controls.tabStrip.selected();
    if (!m_d.controls.tabs.contains(n))
        return;
    m_d.timers.pause(RefreshPause::AddingFavorite);
    addFavorite(m_d.controls.tabs.tab(n));
    m_d.timers.resume(RefreshPause::AddingFavorite);
}

void DesktopCommands::addFavorite(BrowserTab &tab)
{
    Trap(m_d.errors, QStringLiteral(" At MnuBack"), {err::EFail, err::ObjectNotSet}).step([&] {
        BrowserControl &browser = tab.browser();
        const QString address = browser.locationUrl();
        if (address.isEmpty())
            return;
        AddFavoriteDialog dialog(browser.locationName(), address, &m_d.window);
        if (m_d.prompts.showModal(dialog) == QDialog::Accepted)
            writeShortcut(favoritesFolder(), dialog.title(), address);
    });
}

void DesktopCommands::showFavoritesPage()
{
    if (!writeFavoritesPage(m_d.session.appFolder, favoritesFolder(), m_d.errors))
        return;
    Trap trap(m_d.errors, QStringLiteral(" At MnuBack"), {err::EFail, err::ObjectNotSet});
    BrowserControl &first = m_d.controls.tabs.tab(1).browser();
    trap.step([&] { first.blankDocument(); });
    trap.step([&] { first.navigate(appFile(m_d.session.appFolder, QStringLiteral("FAVES.HTM"))); });
    trap.step([&] { m_d.controls.tabStrip.select(1); });
}

void DesktopCommands::showHistory()
{
    Trap trap(m_d.errors, QStringLiteral(" At MnuhistoryClick"));
    m_d.session.tabs.historyDirection = HistoryDirection::None;
    trap.step([&] { m_d.controls.status.setText(kHistoryHint); });
    // A page of our own lists the folder's pages by day; the folder stays the store.
    const QString page = appFile(m_d.session.appFolder, QStringLiteral("HISTORY.HTM"));
    trap.step([&] { writeTextFile(page, historyPage(visitedPages(m_d.history.folder()))); });
    trap.step([&] {
        m_d.controls.tabs.tab(1).browser().navigate(page);
        m_d.controls.tabStrip.select(1);
    });
    trap.step([&] { m_d.controls.status.setText(kHistoryHint); });
}

void DesktopCommands::sendEmail()
{
    Trap(m_d.errors, QStringLiteral(" At Mail Click")).step([&] {
        const QString program = stripoutquotes(mailClientCommand(m_d.mail));
        if (!program.trimmed().isEmpty())
            m_d.start(program);
    });
}

void DesktopCommands::showInternetOptions()
{
    Trap(m_d.errors, QStringLiteral(" At Get Internet Options")).step([&] {
        InternetOptionsDialog dialog(m_d.browsers, m_d.settings, &m_d.window);
        m_d.prompts.showModal(dialog);
        if (dialog.result() != QDialog::Accepted)
            return;
        m_d.session.tabs.searchTemplate = dialog.searchTemplate();
        emit watchOptionsChanged(dialog.watchOptions());
    });
}

void DesktopCommands::toggleOffline()
{
    // The flag, not the item's tick: the menu has already ticked it for the click.
    if (m_d.timers.pauses().has(RefreshPause::Offline))
        workOnline();
    else
        workOffline();
}

void DesktopCommands::workOnline()
{
    Trap(m_d.errors, QStringLiteral(" At Work Online")).step([&] {
        m_d.timers.resume(RefreshPause::Offline);
        m_d.offlineItem.setChecked(false);
        m_d.browsers.setOffline(false);
    });
}

void DesktopCommands::workOffline()
{
    Trap(m_d.errors, QStringLiteral(" At Work Offline")).step([&] {
        m_d.timers.pause(RefreshPause::Offline);
        m_d.offlineItem.setChecked(true);
        m_d.browsers.setOffline(true);
        for (BrowserTab &each : m_d.controls.tabs) {
            const int t = each.number();
            BrowserControl &browser = m_d.controls.tabs.tab(t).browser();
            if (browser.busy())
                browser.stop();
        }
    });
}

void DesktopCommands::savePageToDisk()
{
    Trap(m_d.errors, QStringLiteral(" At MnuBack"), {err::ObjectNotSet}).step([&] {
        const int n = m_d.controls.tabStrip.selected();
        m_d.session.tabs.historyDirection = HistoryDirection::None;
        if (!m_d.controls.tabs.contains(n))
            return;
        BrowserControl &browser = m_d.controls.tabs.tab(n).browser();
        bool available = false;
        try {
            available = browser.commandAvailable(PageCommand::SaveAs);
        } catch (const BasicError &) {
            return;  // a browser that cannot answer saves nothing, silently
        }
        if (available)
            browser.exec(PageCommand::SaveAs);
    });
}

}  // namespace pelquin
