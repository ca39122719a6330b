// app/: main, which builds the objects and hands them their dependencies; nothing else
// lives here.

#include "desktop/history_folder.h"
#include "desktop/internet_options.h"
#include "desktop/system_probes.h"
#include "platform/app_folder.h"
#include "platform/error_report.h"
#include "platform/instance_messenger.h"
#include "platform/prompts.h"
#include "platform/settings_store.h"
#include "platform/single_instance.h"
#include "platform/clock.h"
#include "platform/startup_trace.h"
#include "platform/termination.h"
#include "shell/command_line.h"
#include "shell/main_window.h"
#include "core/session.h"
#include "shell/sub_main.h"
#include "engine/sponsor_server.h"
#include "sponsor/sponsor_site.h"
#include "engine/web_engine_factory.h"

#include <QApplication>
#include <QDate>
#include <QDir>
#include <QFontMetrics>
#include <QSessionManager>

#include <cstdio>
#include <optional>
#include <thread>
#include <unistd.h>

using namespace pelquin;

namespace {

// Help and version answer before anything is created: no window, lock or folder.
std::optional<QString> earlyAnswer(int argc, char **argv)
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const CommandLine line = classifyArguments(arguments, QString(), QDir::currentPath());
    if (line.help)
        return usageText();
    if (line.version)
        return versionText();
    return std::nullopt;
}

// The first text measured makes Qt read the system's fonts, 5 to 8 ms. Done on a thread of
// its own while the engine starts, it no longer delays the window and the first pages.
void readSystemFonts()
{
    QFontMetrics(QGuiApplication::font()).height();
}

}  // namespace

int main(int argc, char **argv)
{
    if (const std::optional<QString> answer = earlyAnswer(argc, argv)) {
        std::fputs(answer->toLocal8Bit().constData(), stdout);
        return 0;
    }
    // Chromium's sandbox cannot start as root; never switch it off otherwise.
    if (::geteuid() == 0)
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    traceStartup("main");
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("pelquin"));
    traceStartup("application");

    WidgetPrompts prompts;
    ErrorReporter errors(prompts);
    Session session;
    session.appFolder = resolveAppFolder();
    const CommandLine line = classifyArguments(QApplication::arguments().mid(1),
                                               session.appFolder, QDir::currentPath());
    for (const QString &refused : line.refused)
        std::fprintf(stderr, "pelquin: %s is not opened: only web addresses and local pages\n",
                     refused.toLocal8Bit().constData());
    if (!line.error.isEmpty()) {
        std::fprintf(stderr, "pelquin: %s\n", line.error.toLocal8Bit().constData());
        prompts.message(kAppTitle, line.error);
        return 2;
    }
    // A program already running on this folder opens them; this one has nothing more to do.
    if (!line.addresses.isEmpty() && InstanceMessenger::send(session.appFolder, line.addresses))
        return 0;
    if (!installAppFolder(session.appFolder, QDate::currentDate())) {
        prompts.message(kAppTitle, QStringLiteral("The application folder %1 cannot be created.")
                                       .arg(session.appFolder));
        return 1;
    }
    SingleInstance instance(session.appFolder);
    if (!SubMain(session, instance, prompts, errors))
        return 1;
    traceStartup("single instance and notice");
    InstanceMessenger messenger(session.appFolder);
    if (!messenger.listen())
        std::fprintf(stderr, "pelquin: addresses from later starts cannot be received\n");

    SponsorSite sponsor = SponsorSite::fromEnvironment();
    // Made only when it serves: even idle, the HTTP server costs 10 ms and 4 MB.
    std::optional<SponsorServer> server;
    if (sponsor.servedLocally() && !server.emplace().listen(sponsor.port())) {
        // Another program (perhaps Pelquin on another folder) has the port: serve our own
        // pages on a free one for this run rather than show theirs.
        const QString name = sponsor.host().section(QLatin1Char(':'), 0, 0);
        if (server->listen(0))
            sponsor = SponsorSite(QStringLiteral("%1:%2").arg(name).arg(server->port()));
        std::fprintf(stderr, "pelquin: the sponsor port %u is taken; serving on port %u\n",
                     unsigned(SponsorSite::fromEnvironment().port()), unsigned(server->port()));
    }
    traceStartup("sponsor server");

    SettingsStore settings(SettingsStore::defaultPath());
    SystemClock clock;
    chooseProcessModel(loadBrowserOptions(settings).processPerSite);
    std::jthread fonts(readSystemFonts);
    WebEngineFactory factory(session.appFolder, prompts);
    fonts.join();
    traceStartup("engine profile");
    HistoryFolder history(appFile(GetWinDir(session.appFolder), QStringLiteral("History")));
    factory.setBrowsingRecords(&history);
    MainWindow window({session, prompts, errors, clock, settings, factory, sponsor,
                       line.profile, browserLibraryVersion, history, systemMailLookup(),
                       systemProcessStarter()});
    prompts.setParent(&window);
    traceStartup("main window and 30 browsers");

    TerminationWatcher termination;
    QObject::connect(&termination, &TerminationWatcher::terminationRequested, &window,
                     [&window] {
                         window.closeFor(CloseReason::Terminated);
                         // Ends every event loop, those of open dialogs too; no new one
                         // starts after this.
                         QCoreApplication::exit(0);
                     });
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &window,
                     [&window](QSessionManager &) { window.closeFor(CloseReason::SessionEnd); });

    QObject::connect(&window, &MainWindow::closed, &app, &QApplication::quit,
                     Qt::QueuedConnection);

    QObject::connect(&messenger, &InstanceMessenger::addressesReceived, &window,
                     [&window](const QStringList &addresses) {
                         window.openAddresses(addresses);
                         window.bringToFront();
                     });

    window.formLoad();
    traceStartup("history and profile read, dropdowns filled");
    window.openAddresses(line.addresses);
    if (termination.requested())
        return 0;  // ended while a start-up question or error was open
    window.show();
    traceStartup("window shown");
    return app.exec();
}
