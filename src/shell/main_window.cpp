#include "shell/main_window.h"

#include "tabs/tab_collection.h"
#include "address/dropdown_handlers.h"
#include "desktop/internet_options.h"
#include "core/address_history.h"
#include "platform/app_folder.h"
#include "platform/error_report.h"
#include "platform/prompts.h"
#include "platform/settings_store.h"
#include "platform/startup_trace.h"
#include "platform/twips.h"
#include "script/command_processor.h"
#include "setup/setup_dialog.h"
#include "script/page_script.h"
#include "shell/command_bindings.h"
#include "shell/commands.h"
#include "shell/dialog_placement.h"
#include "shell/downloads_control.h"
#include "shell/display_modes.h"
#include "shell/find_dialog.h"
#include "shell/desktop_habits.h"
#include "shell/help_screen.h"
#include "shell/history_saver.h"
#include "shell/keyboard.h"
#include "shell/layout.h"
#include "shell/main_window_control.h"
#include "core/session.h"
#include "shell/speed_menu.h"
#include "shell/tab_selection.h"
#include "shell/tab_watching.h"
#include "shell/window_layout.h"
#include "shell/window_store.h"
#include "tabs/artwork.h"
#include "tabs/browser_events.h"
#include "tabs/button_bar.h"
#include "tabs/page_dialog_queue.h"
#include "tabs/staged_loading.h"
#include "tabs/status_area.h"
#include "tabs/tab_strip.h"
#include "tabs/tab_wall.h"
#include "tabs/timers.h"

#include <QAction>
#include <QMimeData>
#include <QDropEvent>
#include <QDragEnterEvent>
#include <QCloseEvent>
#include <QLineEdit>
#include <QComboBox>
#include <QApplication>
#include <QCoreApplication>
#include <QTimer>

namespace pelquin {

MainWindow::MainWindow(MainWindowDeps deps)
    : m_d(std::move(deps)), m_session(m_d.session), m_tabStrip(new TabStrip(this)),
      m_buttons(new ButtonBar(this)), m_status(nullptr),
      m_menu(new SpeedMenu(this))
{
    setWindowIcon(appIcon());
    m_tabs = std::make_unique<TabCollection>(m_d.factory, m_session.history, this);
    m_status = new StatusArea(this);
    m_buttons->setGeometry(toPixelRect(layout::kToolbarLeft, layout::kToolbarTop,
                                       layout::kToolbarWidth, layout::kToolbarHeight));
    m_tabStrip->lower();

    const TabControls c = controls();
    m_layout = std::make_unique<WindowLayout>(*this, c, *m_menu, m_d.errors);
    m_store = std::make_unique<WindowStore>(*this, m_session, m_layout->bars(), m_d.settings,
                                            m_d.prompts, m_d.errors);
    m_modes = std::make_unique<DisplayModes>(*this, m_session, c, *m_menu, *m_layout, m_d.errors);
    const auto startNextTabs = [this] { m_staged->startNextTabs(); };
    m_timers = new Timers(m_session, c, m_d.errors, m_d.clock, startNextTabs, this);
    const RefreshPauses &pauses = m_timers->pauses();
    m_selection = std::make_unique<TabSelection>(m_session, c, *m_menu, *m_layout, pauses,
                                                 m_d.errors);
    m_staged = std::make_unique<StagedLoading>(m_session, c, pauses, m_d.errors);
    m_events = std::make_unique<BrowserEvents>(
        m_session, c, m_d.prompts, m_d.errors, m_d.clock,
        BrowserEvents::Hooks{startNextTabs});
    m_events->connectAll();
    m_status->followSelectedTab(*m_tabs, *m_tabStrip);
    m_layout->setSelectAgain([this] { m_selection->onTabSelected(); });
    m_control = std::make_unique<MainWindowControl>(*this, c, *m_menu, *m_modes, *m_layout);
    m_processor = std::make_unique<CommandProcessor>(*m_control, m_session.appFolder,
                                                     m_d.errors);
    m_script = std::make_unique<PageScript>(*m_tabs, *m_processor, m_d.errors);
    m_commands = new Commands(*this, m_session, c, *m_menu, pauses, m_d.sponsor, m_d.prompts,
                              m_d.errors);
    m_dropdowns = new DropdownHandlers(m_session, c, m_d.errors, this);
    m_keyboard = new KeyboardPreview(*this, m_session, *m_menu, *m_buttons, m_d.errors,
                                     [this] { showHelp(); }, [this] { showFind(); });
    qApp->installEventFilter(m_keyboard);
    qApp->installEventFilter(new DialogPlacement(*this));
    m_desktop = new DesktopCommands({*this, m_session, c, *m_menu->offlineItem, m_d.factory,
                                     m_d.settings, m_d.prompts, m_d.errors,
                                     *m_timers, m_d.history, m_d.mail,
                                     m_d.start});
    if (m_d.privateRun)
        m_store->keepNothing();
    m_historySaver = new HistorySaver(m_d.clock, [this] { return m_store->saveHistoryQuietly(); },
                                      this);
    m_pageDialogs = new PageDialogQueue(*m_tabStrip, *m_tabs, this);
    m_pageDialogs->connectAll();
    m_layout->setPageBar([this](int tab) { return m_pageDialogs->noteBar(tab); });
    connect(m_pageDialogs, &PageDialogQueue::noteBarChanged, this,
            [this](int tab) { m_layout->applyBrowser(tab); });
    m_downloads = new DownloadsControl(m_d.factory.downloads(), *m_events, m_d.prompts, this);
    m_habits = new DesktopHabits({m_session, c, *m_menu, *m_commands, *m_desktop, *m_keyboard,
                                  m_d.errors, *this, [this] { return m_activated; }},
                                 this);
    m_watching = new TabWatching(
        {c, m_d.clock, *this,
         [this] { return m_tabs->tab(qMax(1, m_tabs->front())).page()->geometry(); },
         [this] { bringToFront(); },
         [this] {
             return QApplication::activeModalWidget() != nullptr ||
                    m_timers->pauses().has(RefreshPause::Setup);
         },
         m_d.notifier},
        this);
    m_watching->applyOptions(loadWatchOptions(m_d.settings));
    m_watching->rotateEvery(m_d.rotateSeconds);
    connect(m_desktop, &DesktopCommands::watchOptionsChanged, m_watching,
            &TabWatching::applyOptions);
    setAcceptDrops(true);

    connect(m_tabStrip, &TabStrip::selectionHandling, this,
            [this] {
                m_selection->onTabSelected();
                m_pageDialogs->selectionChanged();
                m_watching->tabSelected();
            });
    connect(m_tabStrip, &TabStrip::rightButtonPressed, this,
            &MainWindow::speedMenuFromTabStrip);
    connect(m_tabStrip, &TabStrip::linkDropped, m_habits, &DesktopHabits::dropLink);
    bindWindowCommands(*m_commands, *this);
}

MainWindow::~MainWindow()
{
    // The controls go first: a last signal of theirs must not reach the parts below.
    // One at a time: deleting a browser also deletes its view, another child.
    while (QObject *child = findChild<QObject *>(QString(), Qt::FindDirectChildrenOnly))
        delete child;
}

TabControls MainWindow::controls() const
{
    return TabControls{*m_tabStrip, *m_buttons, *m_tabs, *m_status};
}

void MainWindow::formLoad()
{
    Trap trap(m_d.errors, QStringLiteral(" At Form Load"));
    trap.step([&] {
        m_keyboard->forgetModifiers();
        m_layout->bars() = BarVisibility{};
        m_tabs->tab(1).addressBox().setVisible(true);
    });
    trap.step([&] {
        const bool ownHistory = m_session.platformId == 1;
        m_menu->favoritesItem->setVisible(true);
        m_buttons->setVisibleAt(7, true);
        m_menu->historyItem->setVisible(ownHistory);
        m_buttons->setVisibleAt(8, ownHistory);
    });
    trap.step([&] {
        const QString version = m_d.browserVersion ? m_d.browserVersion() : QString();
        if (version < QStringLiteral("5."))
            m_menu->savePageItem->setVisible(false);
    });
    trap.step([&] {
        setWindowTitle(m_d.privateRun ? QStringLiteral("Pelquin 2000 Browser (private)")
                                      : QStringLiteral("Pelquin 2000 Browser"));
    });
    trap.step([&] {
        m_store->loadHistory();
        m_historySaver->watch(*m_session.history.model());
    });
    trap.step([&] {
        DoSetup setup(m_session, m_d.sponsor, m_d.settings, m_d.errors);
        m_store->setRestored(setup.run(m_d.commandLine, *this, *m_control));
    });
    m_timers->startRefresh();
    m_loaded = true;
}

bool MainWindow::event(QEvent *event)
{
    const bool result = QWidget::event(event);
    if (event->type() == QEvent::WindowActivate && m_loaded)
        formActivate();
    if (event->type() == QEvent::WinIdChange) {
        // The engine's first view re-creates the window; without a window manager the new
        // one would cover a dialog that is already open.
        if (QWidget *modal = QApplication::activeModalWidget(); modal && modal != this)
            QTimer::singleShot(0, modal, [modal] { modal->raise(); });
    }
    return result;
}

void MainWindow::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    m_shown = true;
    // Without a window manager no activation ever arrives: activate once the window shows.
    QTimer::singleShot(0, this, [this] {
        if (m_loaded && !m_activated && !m_inFirstActivation)
            formActivate();
    });
}

void MainWindow::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    m_layout->formResize();
    m_store->fitOuterSize();
    if (m_watching->wall().isOpen())
        m_watching->wall().place();
}

void MainWindow::formActivate()
{
    if (!m_activated && !m_inFirstActivation) {
        m_inFirstActivation = true;
        traceStartup("first activation");
        firstActivation();
        m_inFirstActivation = false;
        if (!m_activated)
            return;  // an error ended the activation
        m_habits->openPendingAddresses();
    }
    // The pages are asked for at once: letting the window's first paint run before them
    // only made every first page wait for it.
    traceStartup("staged loading");
    m_staged->startNextTabs();
    traceStartup("every first page asked for");
}

void MainWindow::firstActivation()
{
    m_store->fitOuterSize();
    Trap trap(m_d.errors, QStringLiteral(" At Form Activate"));
    trap.step([&] {
        const int toolbar = m_d.settings.number(setting::Toolbar);
        const int address = m_d.settings.number(setting::Address);
        const int status = m_d.settings.number(setting::Status);
        if (toolbar == 1)
            m_modes->toggleButtonBar();
        if (address == 1)
            m_modes->toggleAddressBar();
        if (status == 1)
            m_modes->toggleStatusBar();
    });
    trap.step([&] { m_tabStrip->select(1); });
    trap.step([&] { m_tabs->tab(1).addressBox().raise(); });
    trap.step([&] {
        // The refresh runs again after the start-up help as after any other.
        if (m_session.notice.showHelpAtStart == 1)
            showHelpScreen();
    });
    trap.step([&] { m_activated = true; });
}

void MainWindow::moveEvent(QMoveEvent *event)
{
    QWidget::moveEvent(event);
    m_store->fitOuterSize();
}

void MainWindow::showHelp()
{
    showHelpScreen();
}

FindDialog *MainWindow::findDialog() const
{
    return m_habits->findDialog();
}

void MainWindow::showFind()
{
    m_habits->showFind();
}

SetupDialog *MainWindow::setupDialog() const
{
    return m_setup.data();
}

void MainWindow::openSetup()
{
    if (m_setup && m_setup->isVisible()) {
        m_setup->raise();
        m_setup->activateWindow();
        return;
    }
    Trap(m_d.errors, QStringLiteral("At Setup Click")).step([&] {
        m_timers->pause(RefreshPause::Setup);
        m_setup = new SetupDialog({m_session, controls(), *m_control, m_d.sponsor,
                                   m_d.prompts, m_d.errors, *m_timers,
                                   [this] { showHelp(); }},
                                  this);
        m_setup->show();
    });
}

void MainWindow::showHelpScreen()
{
    m_timers->pause(RefreshPause::Help);
    {
        HelpScreen help(m_session, m_d.errors, this);
        m_d.prompts.showModal(help);
    }
    m_timers->resume(RefreshPause::Help);
}

void MainWindow::speedMenuFromTabStrip(const QPoint &globalPos)
{
    m_keyboard->prepareSpeedMenu();
    if (m_menu->allowedByPage())
        m_menu->popup(globalPos);
}

void MainWindow::closeFor(CloseReason reason)
{
    m_closeReason = reason;
    close();
    m_closeReason = CloseReason::User;
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    if (!queryUnload(m_closeReason)) {
        event->ignore();
        return;
    }
    formUnload();
    event->accept();
    emit closed();
}

bool MainWindow::queryUnload(CloseReason reason)
{
    if (m_unloadAccepted)
        return true;
    if (reason == CloseReason::SessionEnd || reason == CloseReason::Terminated) {
        // The history is kept also when the session ends or the program is terminated.
        m_downloads->closing(false);
        m_unloadAccepted = true;
        m_store->saveHistory();
        return true;
    }
    if (m_timers->pauses().has(RefreshPause::Setup)) {
        m_d.prompts.message(QStringLiteral("Close Setup"),
                            QStringLiteral("Close Setup Window First"));
        return false;
    }
    if (!m_downloads->closing(true))
        return false;
    m_store->saveHistory();
    m_unloadAccepted = true;
    return true;
}

void MainWindow::formUnload()
{
    if (!m_shown)
        return;  // ended during start-up: the stored placement is still the right one
    // The window is kept as it was before F11 filled the screen.
    if (m_modes->fullScreen())
        m_modes->toggleFullScreen();
    m_store->savePlacement();
}

ShortcutKeys &MainWindow::shortcuts() const { return m_habits->shortcuts(); }

FreeTabs &MainWindow::freeTabs() const { return m_habits->freeTabs(); }

void MainWindow::openAddresses(const QStringList &addresses)
{
    m_habits->openAddresses(addresses);
}

void MainWindow::bringToFront()
{
    if (isMinimized())
        showNormal();
    raise();
    activateWindow();
}

void MainWindow::dragEnterEvent(QDragEnterEvent *event)
{
    if (event->mimeData()->hasFormat(QLatin1String(TabStrip::kTabMime)))
        event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent *event)
{
    // A tab dropped on the window's free area ends the tab drag, nothing more.
    m_tabStrip->setDragsTabs(false);
    event->acceptProposedAction();
}

}  // namespace pelquin
