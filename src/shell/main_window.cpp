#include "shell/main_window.h"

#include "tabs/tab_collection.h"
#include "address/address_box_keys.h"
#include "desktop/internet_options.h"
#include "platform/network_return.h"
#include "platform/app_folder.h"
#include "platform/error_report.h"
#include "platform/plain_tooltips.h"
#include "platform/prompts.h"
#include "platform/settings_store.h"
#include "platform/twips.h"
#include "script/command_processor.h"
#include "setup/setup_dialog.h"
#include "script/page_script.h"
#include "shell/command_bindings.h"
#include "commands/commands.h"
#include "shell/dialog_placement.h"
#include "desktop/downloads_control.h"
#include "shell/display_modes.h"
#include "shell/find_dialog.h"
#include "shell/desktop_habits.h"
#include "shell/help_screen.h"
#include "core/history_saver.h"
#include "commands/window_keys.h"
#include "shell/layout.h"
#include "shell/main_window_control.h"
#include "core/session.h"
#include "commands/speed_menu.h"
#include "shell/tab_selection.h"
#include "watch/tab_rotation.h"
#include "watch/tab_watching.h"
#include "shell/window_layout.h"
#include "shell/window_store.h"
#include "tabs/artwork.h"
#include "shell/button_bar.h"
#include "tabs/page_dialog_queue.h"
#include "tabs/refresh_trouble_bar.h"
#include "tabs/staged_loading.h"
#include "shell/status_area.h"
#include "tabs/tab_strip.h"
#include "watch/tab_wall.h"
#include "tabs/timers.h"

#include <QMimeData>
#include <QDropEvent>
#include <QDragEnterEvent>
#include <QApplication>

namespace pelquin {

MainWindow::MainWindow(MainWindowDeps deps)
    : m_d(std::move(deps)), m_session(m_d.session), m_tabStrip(new TabStrip(this)),
      m_buttons(new ButtonBar(this)), m_status(nullptr),
      m_menu(new SpeedMenu(this))
{
    m_buttons->showCommands(*m_menu);
    setWindowIcon(appIcon());
    // Every window of the program, pop-ups and dialogs included, shows tooltips as text.
    qApp->installEventFilter(new PlainToolTips(this));
    makeTabs();
    const WindowControls c = controls();
    makeLayoutAndLoading(c);
    makeCommands(c);
    makeDesktop(c);
    makeWatching(c);
    setAcceptDrops(true);
    connect(m_tabStrip, &TabStrip::rightButtonPressed, this,
            &MainWindow::speedMenuFromTabStrip);
    connect(m_tabStrip, &TabStrip::linkDropped, m_habits,
            [this](int onTab, const QString &text, bool hasText, Qt::KeyboardModifiers keys) {
                if (m_tabs->contains(onTab))
                    m_habits->dropLink(m_tabs->tab(onTab), text, hasText, keys);
            });
    bindWindowCommands(*m_commands, *this);
}

void MainWindow::makeTabs()
{
    m_tabs = std::make_unique<TabCollection>(
        m_d.factory, m_session.history,
        TabContext{m_session, m_d.clock, m_d.errors, m_d.prompts}, this);
    m_tabStrip->showTabs(*m_tabs);
    m_status = new StatusArea(this);
    m_buttons->setGeometry(toPixelRect(layout::kToolbarLeft, layout::kToolbarTop,
                                       layout::kToolbarWidth, layout::kToolbarHeight));
    m_tabStrip->lower();
}

void MainWindow::makeLayoutAndLoading(const WindowControls &c)
{
    m_layout = std::make_unique<WindowLayout>(*this, c, *m_menu, m_d.errors);
    m_store = std::make_unique<WindowStore>(*this, m_session, m_layout->bars(), m_d.settings,
                                            m_d.prompts, m_d.errors);
    m_modes = std::make_unique<DisplayModes>(*this, m_session, c, *m_menu, *m_layout, m_d.errors);
    const auto startNextTabs = [this] { m_staged->startNextTabs(); };
    m_timers = new Timers(m_session, c.forTabs(), m_d.errors, m_d.clock, startNextTabs, this);
    const RefreshPauses &pauses = m_timers->pauses();
    m_selection = std::make_unique<TabSelection>(m_session, c, *m_menu, *m_layout, pauses,
                                                 m_d.errors);
    // The selected tab comes to the front first; what else follows the selection comes after.
    connect(m_tabStrip, &TabStrip::selectionHandling, this,
            [this] { m_selection->onTabSelected(); });
    m_staged = std::make_unique<StagedLoading>(m_session, c.forTabs(), pauses, m_d.errors);
    // A completed page lets the start-up go on, once everything else has seen it.
    for (BrowserTab &tab : *m_tabs)
        connect(&tab, &BrowserTab::afterPageCompleted, this, startNextTabs);
    m_status->followSelectedTab(*m_tabs, *m_tabStrip);
    m_layout->setSelectAgain([this] { m_selection->onTabSelected(); });
    m_control = std::make_unique<MainWindowControl>(*this, c, *m_menu, *m_modes, *m_layout);
    m_processor = std::make_unique<CommandProcessor>(*m_control, m_session.appFolder,
                                                     m_d.errors);
    m_script = std::make_unique<PageScript>(*m_tabs, *m_processor, m_d.errors);
}

void MainWindow::makeCommands(const WindowControls &c)
{
    m_commands = new Commands(*this, m_session, c.forTabs(), *m_menu, m_timers->pauses(),
                              m_d.sponsor, m_d.prompts, m_d.errors);
    connect(m_buttons, &ButtonBar::buttonClicked, m_commands, &Commands::onButtonClicked);
    connect(m_buttons, &ButtonBar::mouseMoved, m_commands,
            [this] { m_commands->navigation().homeHint(); });
    m_addressBoxKeys = new AddressBoxKeys(m_session, c.forTabs(), m_d.errors, this);
    m_keyboard = new WindowKeys(*this, m_session, *m_menu, m_d.errors,
                                [this] { showHelp(); }, [this] { showFind(); });
    qApp->installEventFilter(m_keyboard);
    qApp->installEventFilter(new DialogPlacement(*this));
}

void MainWindow::makeDesktop(const WindowControls &c)
{
    m_desktop = new DesktopCommands({*this, m_session, c.forTabs(), *m_menu->offlineItem,
                                     m_d.factory, m_d.settings, m_d.prompts, m_d.errors,
                                     *m_timers, m_d.history, m_d.mail, m_d.start});
    if (m_d.privateRun)
        m_store->keepNothing();
    m_historySaver = new HistorySaver(m_d.clock, [this] { return m_store->saveHistoryQuietly(); },
                                      this);
    m_pageDialogs = new PageDialogQueue(*m_tabStrip, *m_tabs, this);
    connect(m_tabStrip, &TabStrip::selectionHandling, m_pageDialogs,
            &PageDialogQueue::selectionChanged);
    m_refreshTrouble = new RefreshTroubleBar(
        *m_tabStrip, *m_tabs, [this](BrowserTab &tab) { m_timers->tryNow(tab); }, this);
    // A page's note comes first: it waits for an answer; the refresh trouble keeps.
    m_layout->setPageBar([this](const BrowserTab &tab) -> QWidget * {
        if (QWidget *note = m_pageDialogs->noteBar(tab))
            return note;
        return m_refreshTrouble->barFor(tab);
    });
    connect(m_pageDialogs, &PageDialogQueue::noteBarChanged, this,
            [this](BrowserTab &tab) { m_layout->applyBrowser(tab); });
    connect(m_refreshTrouble, &RefreshTroubleBar::placeChanged, this,
            [this](BrowserTab &tab) { m_layout->applyBrowser(tab); });
    connect(new NetworkReturn(this), &NetworkReturn::cameBack, m_timers,
            &Timers::tryFailingTabsNow);
    m_downloads = new DownloadsControl(m_d.factory.downloads(), *m_tabs, m_d.prompts, this);
    m_habits = new DesktopHabits({m_session, c, *m_menu, *m_commands, *m_desktop, *m_keyboard,
                                  m_d.errors, *this, [this] { return m_activated; }},
                                 this);
}

void MainWindow::makeWatching(const WindowControls &c)
{
    m_watching = new TabWatching(
        {c.forTabs(), m_d.clock, *this,
         [this] { return m_tabs->tab(qMax(1, m_tabs->front())).page()->geometry(); },
         [this] { bringToFront(); },
         [this] {
             return QApplication::activeModalWidget() != nullptr ||
                    m_timers->pauses().has(RefreshPause::Setup);
         },
         m_d.notifier, m_session.appFolder, m_d.privateRun, &m_d.prompts,
         [this] { return !m_layout->bars().anyShown(); }},
        this);
    connect(m_tabStrip, &TabStrip::selectionHandling, m_watching, &TabWatching::tabSelected);
    m_watching->applyOptions(loadWatchOptions(m_d.settings));
    m_watching->rotateEvery(m_d.rotateSeconds);
    // A rotating screen never reloads the page it shows: the rotation refreshes it before
    // its turn.
    m_timers->setRefreshHold([this](const BrowserTab &tab) {
        return m_watching->rotation().holdsRefreshOf(tab);
    });
    connect(m_desktop, &DesktopCommands::watchOptionsChanged, m_watching,
            &TabWatching::applyOptions);
}

MainWindow::~MainWindow()
{
    // The controls go first: a last signal of theirs must not reach the parts below.
    // One at a time: deleting a browser also deletes its view, another child.
    while (QObject *child = findChild<QObject *>(QString(), Qt::FindDirectChildrenOnly))
        delete child;
}

WindowControls MainWindow::controls() const
{
    return WindowControls{*m_tabStrip, *m_buttons, *m_tabs, *m_status};
}

void MainWindow::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    m_layout->formResize();
    m_store->fitOuterSize();
    if (m_watching->wall().isOpen())
        m_watching->wall().place();
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
        m_setup = new SetupDialog({m_session, controls().forTabs(), *m_control, m_d.sponsor,
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
    if (m_menu->allowedByPage())
        m_menu->popup(globalPos);
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
