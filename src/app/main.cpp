// app/: main, which builds the objects and hands them their dependencies; nothing else
// lives here.

#include "desktop/history_folder.h"
#include "desktop/internet_options.h"
#include "desktop/system_probes.h"
#include "platform/app_folder.h"
#include "platform/error_report.h"
#include "platform/prompts.h"
#include "platform/settings_store.h"
#include "platform/single_instance.h"
#include "platform/clock.h"
#include "platform/startup_trace.h"
#include "platform/termination.h"
#include "shell/main_window.h"
#include "core/session.h"
#include "shell/sub_main.h"
#include "engine/sponsor_server.h"
#include "sponsor/sponsor_site.h"
#include "engine/web_engine_factory.h"

#include <QApplication>
#include <QDate>
#include <QSessionManager>

#include <cstdio>
#include <unistd.h>

using namespace pelquin;

int main(int argc, char **argv)
{
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
    if (!installAppFolder(session.appFolder, QDate::currentDate())) {
        prompts.message(kAppTitle, QStringLiteral("The application folder %1 cannot be created.")
                                       .arg(session.appFolder));
        return 1;
    }
    SingleInstance instance(session.appFolder);
    if (!SubMain(session, instance, prompts, errors))
        return 1;
    traceStartup("single instance and notice");

    const SponsorSite sponsor = SponsorSite::fromEnvironment();
    SponsorServer server;
    if (sponsor.servedLocally() && !server.listen(sponsor.port()))
        std::fprintf(stderr, "pelquin: the sponsor pages cannot be served on port %u\n",
                     unsigned(sponsor.port()));
    traceStartup("sponsor server");

    SettingsStore settings(SettingsStore::defaultPath());
    SystemClock clock;
    chooseProcessModel(loadBrowserOptions(settings).processPerSite);
    WebEngineFactory factory(session.appFolder, prompts);
    traceStartup("engine profile");
    HistoryFolder history(appFile(GetWinDir(session.appFolder), QStringLiteral("History")));
    factory.setBrowsingRecords(&history);
    QStringList args = QApplication::arguments().mid(1);
    MainWindow window({session, prompts, errors, clock, settings, factory, sponsor,
                       args.join(QLatin1Char(' ')), browserLibraryVersion, history,
                       systemMailLookup(), systemProcessStarter()});
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

    window.formLoad();
    traceStartup("history and profile read, dropdowns filled");
    if (termination.requested())
        return 0;  // ended while a start-up question or error was open
    window.show();
    traceStartup("window shown");
    return app.exec();
}
