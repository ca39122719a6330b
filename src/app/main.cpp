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
#include "platform/desktop_notifier.h"
#include "platform/startup_trace.h"
#include "platform/termination.h"
#include "app/command_line.h"
#include "app/remote_answers.h"
#include "app/wall_screen.h"
#include "platform/idle_pointer.h"
#include "platform/screen_saver.h"
#include "shell/window_layout.h"
#include "watch/tab_rotation.h"
#include "watch/tab_watching.h"
#include "shell/main_window.h"
#include "core/session.h"
#include "app/single_instance_start.h"
#include "engine/sponsor_server.h"
#include "engine/spelling.h"
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

bool answeredEarly(int argc, char **argv)
{
    const std::optional<QString> answer = earlyAnswer(argc, argv);
    if (answer)
        std::fputs(answer->toLocal8Bit().constData(), stdout);
    return answer.has_value();
}

// A command for the running program (--status, --tab, ...) is handed to it and its answer
// printed; no window is made, so it also works without a screen, over SSH. Its exit code,
// or none when the arguments ask for a run of the browser.
std::optional<int> answeredByRunningProgram(int argc, char **argv)
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const CommandLine line = classifyArguments(arguments, QString(), QDir::currentPath());
    if (!line.remote)
        return std::nullopt;
    if (!line.error.isEmpty()) {
        std::fprintf(stderr, "pelquin: %s\n", line.error.toLocal8Bit().constData());
        return 2;
    }
    QCoreApplication app(argc, argv);
    const QString folder = resolveAppFolder();
    const std::optional<InstanceAnswer> answer =
        InstanceMessenger::ask(folder, line.remote->words());
    if (!answer) {
        std::fprintf(stderr, "pelquin: Pelquin is not running for this application folder (%s)\n",
                     folder.toLocal8Bit().constData());
        return 2;
    }
    const QByteArray text = answer->text.toLocal8Bit();
    if (!answer->ok) {
        std::fprintf(stderr, "pelquin: %s", text.constData());
        return 2;
    }
    std::fputs(text.constData(), stdout);
    return 0;
}

// The first text measured makes Qt read the system's fonts, 5 to 8 ms. Done on a thread of
// its own while the engine starts, it no longer delays the window and the first pages.
void readSystemFonts()
{
    QFontMetrics(QGuiApplication::font()).height();
}

// Reports what the command line refuses; false when the program cannot start with it.
bool acceptCommandLine(const CommandLine &line, Prompts &prompts)
{
    for (const QString &refused : line.refused)
        std::fprintf(stderr, "pelquin: %s is not opened: only web addresses and local pages\n",
                     refused.toLocal8Bit().constData());
    if (line.error.isEmpty())
        return true;
    std::fprintf(stderr, "pelquin: %s\n", line.error.toLocal8Bit().constData());
    prompts.message(kAppTitle, line.error);
    return false;
}

// Serves the sponsor's pages when its host is ours; made only then: even idle, the HTTP
// server costs 10 ms and 4 MB.
SponsorSite serveSponsor(std::optional<SponsorServer> &server)
{
    SponsorSite sponsor = SponsorSite::fromEnvironment();
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
    return sponsor;
}

// What the engine's processes need before the application is made.
void prepareEngineProcess()
{
    // Chromium's sandbox cannot start as root; never switch it off otherwise.
    if (::geteuid() == 0)
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    traceStartup("main");
}

void listenForLaterStarts(InstanceMessenger &messenger)
{
    if (!messenger.listen())
        std::fprintf(stderr, "pelquin: addresses from later starts cannot be received\n");
}

// How the run ends: a termination signal or the session's end closes the window, and the
// closed window ends the program. Addresses from later starts open in this window.
void connectEndings(QApplication &app, MainWindow &window, TerminationWatcher &termination,
                    InstanceMessenger &messenger)
{
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
}

// A program already running on this folder opens the addresses; this one has nothing more
// to do then.
bool handedToRunningProgram(const CommandLine &line, const QString &appFolder)
{
    return !line.addresses.isEmpty() && InstanceMessenger::send(appFolder, line.addresses);
}

// The application folder, made with its defaults at the first start; false when it cannot be.
bool prepareAppFolder(const QString &folder, Prompts &prompts)
{
    if (installAppFolder(folder, QDate::currentDate()))
        return true;
    prompts.message(kAppTitle,
                    QStringLiteral("The application folder %1 cannot be created.").arg(folder));
    return false;
}

// Everything a run of the browser is made of, built in the order each part needs the one
// before: the messenger for later starts, the sponsor's pages, the engine, the window.
class Run {
public:
    Run(Session &session, const CommandLine &line, WidgetPrompts &prompts,
        ErrorReporter &errors)
        : m_line(line), m_messenger(session.appFolder), m_sponsor(serveSponsor(m_server)),
          m_settings(SettingsStore::defaultPath()),
          m_factory((preparePages(m_settings), session.appFolder), prompts,
                    line.privateRun ? WebEngineFactory::Storage::OffTheRecord
                                    : WebEngineFactory::Storage::OnDisk),
          m_history(appFile(session.appFolder, QStringLiteral("History"))),
          m_notifier(QStringLiteral("Pelquin")),
          m_window({session, prompts, errors, m_clock, m_settings, m_factory, m_sponsor,
                    line.profile, m_history, systemMailLookup(),
                    systemProcessStarter(), &m_notifier, line.rotateSeconds, line.privateRun}),
          m_remote({m_window.controls().forTabs(), m_window.freeTabs(), m_window.watching(),
                    m_clock}),
          m_screenSaver(QStringLiteral("Pelquin")),
          m_wallScreen(m_screenSaver, m_pointer, [this] { return unattendedScreen(); })
    {
        traceStartup("engine profile");
        m_messenger.setRequestHandler(
            [this](const QStringList &words) { return m_remote.answer(words); });
        if (!line.privateRun)
            listenForLaterStarts(m_messenger);
        m_factory.setBrowsingRecords(&m_history);
        if (line.privateRun)
            m_history.stopRecording();
        prompts.setParent(&m_window);
    }

    int exec(QApplication &app)
    {
        connectEndings(app, m_window, m_termination, m_messenger);
        m_window.startUp();
        m_window.openAddresses(m_line.addresses);
        if (m_termination.requested())
            return 0;  // ended while a start-up question or error was open
        m_window.show();
        traceStartup("window shown");
        return app.exec();
    }

private:
    // Nobody sits at the screen: the tabs turn, or every bar is hidden (expert mode).
    bool unattendedScreen() const
    {
        return m_window.watching().rotation().interval() > 0 ||
               !m_window.windowLayout().bars().anyShown();
    }

    // What the engine needs before its profile is made; the system's fonts are read
    // meanwhile.
    static void preparePages(SettingsStore &settings)
    {
        chooseProcessModel(loadBrowserOptions(settings).processPerSite);
        useSpellingDictionaryFolder();
    }

    const CommandLine &m_line;
    InstanceMessenger m_messenger;
    std::optional<SponsorServer> m_server;
    SponsorSite m_sponsor;
    SettingsStore m_settings;
    SystemClock m_clock;
    WebEngineFactory m_factory;
    HistoryFolder m_history;
    SessionBusNotifier m_notifier;
    MainWindow m_window;
    RemoteAnswers m_remote;
    SessionBusScreenSaver m_screenSaver;
    IdlePointer m_pointer;
    WallScreen m_wallScreen;
    TerminationWatcher m_termination;
};

}  // namespace

int main(int argc, char **argv)
{
    if (answeredEarly(argc, argv))
        return 0;
    if (const std::optional<int> code = answeredByRunningProgram(argc, argv))
        return *code;
    prepareEngineProcess();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("pelquin"));
    WidgetPrompts prompts;
    ErrorReporter errors(prompts);
    Session session;
    session.appFolder = resolveAppFolder();
    const CommandLine line = classifyArguments(QApplication::arguments().mid(1),
                                               session.appFolder, QDir::currentPath());
    if (!acceptCommandLine(line, prompts))
        return 2;
    // A private run keeps its addresses to itself and runs beside a normal one.
    if (!line.privateRun && handedToRunningProgram(line, session.appFolder))
        return 0;
    if (!prepareAppFolder(session.appFolder, prompts))
        return 1;
    SingleInstance instance(session.appFolder);
    if (!line.privateRun && !startSingleInstance(session, instance, prompts, errors))
        return 1;
    std::jthread fonts(readSystemFonts);
    Run run(session, line, prompts, errors);
    fonts.join();
    return run.exec(app);
}
