#include "setup/setup_dialog.h"

#include "tabs/tab_collection.h"
#include "platform/app_folder.h"
#include "platform/basic_text.h"
#include "platform/error_report.h"
#include "platform/prompts.h"
#include "core/scriptable_window.h"
#include "core/tab_settings.h"
#include "core/session.h"
#include "sponsor/sponsor_site.h"
#include "tabs/tab_strip.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace pelquin {

namespace {

const QString kNewBrowserWarning = QStringLiteral(
    "Checking this box will cause a new Pelquin browser window to be opened when "
    "specified in the html code of the webpage you are accessing. You probably don't want to "
    "do this. These are usually windows you did not request that are sent to you by the "
    "server. You would only do this in the rarest of cases where you need to have a separate "
    "window that interacts with the window you are working on and are in channel mode. If you "
    "choose No then these server-pushed windows will be ignored. Open New Browser Window on "
    "HTML Code Request?");

QPushButton *button(QWidget *parent, const char *name, const QString &caption)
{
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(QLatin1String(name));
    b->setAutoDefault(false);
    return b;
}

}  // namespace

SetupDialog::SetupDialog(SetupDeps deps, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint), m_d(std::move(deps)),
      m_pages(new QTabWidget(this)), m_timers(&m_d.timers)
{
    setObjectName(QStringLiteral("Setup"));
    setWindowTitle(QStringLiteral("Setup"));
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    setAcceptDrops(true);
    m_pages->setObjectName(QStringLiteral("pages"));
    m_rows = buildSetupPages(*m_pages);
    // Created in the order they stand, which is the order Tab visits them.
    QPushButton *ok = button(this, "okButton", QStringLiteral("&Ok"));
    QPushButton *cancel = button(this, "cancelButton", QStringLiteral("&Cancel"));
    QPushButton *help = button(this, "helpButton", QStringLiteral("&Help"));
    QPushButton *save = button(this, "saveButton", QStringLiteral("&Save"));
    QPushButton *load = button(this, "loadButton", QStringLiteral("&Load"));
    QPushButton *erase = button(this, "eraseHistoryButton",
                                QStringLiteral("Erase DropDown Combo Site History"));
    m_fullScreen = button(this, "fullScreenButton", QString());
    auto *buttons = new QHBoxLayout;
    for (QPushButton *b : {ok, cancel, help, save, load})
        buttons->addWidget(b);
    buttons->addStretch();
    buttons->addWidget(erase);
    buttons->addWidget(m_fullScreen);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_pages);
    layout->addLayout(buttons);
    resize(1180, 480);

    connect(ok, &QPushButton::clicked, this, &SetupDialog::saveAndClose);
    connect(cancel, &QPushButton::clicked, this, &QWidget::close);
    connect(help, &QPushButton::clicked, this, &SetupDialog::showHelp);
    connect(erase, &QPushButton::clicked, this, &SetupDialog::eraseHistory);
    connect(save, &QPushButton::clicked, this, &SetupDialog::saveProfile);
    connect(load, &QPushButton::clicked, this, &SetupDialog::loadProfile);
    connect(m_fullScreen, &QPushButton::clicked, this, &SetupDialog::toggleFullScreen);
    for (const BrowserTab &each : m_d.controls.tabs) {
        const int i = each.number();
        const SetupRow &r = row(i);
        connect(r.autoRefreshCheck, &QCheckBox::stateChanged, this,
                [this, i] { autoRefreshClicked(i); });
        connect(r.newBrowserCheck, &QCheckBox::clicked, this, [this, i] { newBrowserClicked(i); });
        r.startUrlEdit->installEventFilter(this);
    }
    Trap(m_d.errors, QStringLiteral(" At Setup Load")).step([&] {
        captionFullScreenButton();
        m_loadingControls = true;
        fillRowsFromProfile();
        m_loadingControls = false;
    });
}

void SetupDialog::captionFullScreenButton()
{
    using Bar = ScriptableWindow::Bar;
    const bool allHidden = m_d.window.barHidden(Bar::Buttons) &&
                           m_d.window.barHidden(Bar::Address) &&
                           m_d.window.barHidden(Bar::Status);
    m_fullScreen->setText(allHidden ? QStringLiteral("S&witch to Normal Mode")
                                    : QStringLiteral("S&witch to Full Screen Mode"));
}

void SetupDialog::fillRowsFromProfile()
{
    Trap(m_d.errors, QStringLiteral(" At ReadSetup")).step([&] {
        TabSettings &settings = m_d.session.settings;
        for (const BrowserTab &each : m_d.controls.tabs) {
            const int i = each.number();
            const SetupRow &r = row(i);
            r.startUrlEdit->setText(settings[i].startUrl);
            r.tabNameEdit->setText(settings[i].tabName);
            if (!r.startUrlEdit->isEnabled())
                continue;
            r.pauseCheck->setChecked(settings[i].pauseWhileLoading);
            r.autoRefreshCheck->setChecked(settings[i].autoRefresh);
            autoRefreshClicked(i);
            r.intervalEdit->setText(QString::number(settings[i].refreshMinutes));
            r.newBrowserCheck->setChecked(settings[i].openNewBrowser);
        }
        settings[1].startUrl = m_d.sponsor.welcomeUrl();
        settings[2].startUrl = m_d.sponsor.searchFormUrl();
    });
}

bool SetupDialog::writeRowsToProfile()
{
    Trap trap(m_d.errors, QStringLiteral(" At WriteSetup"));
    trap.step([&] {
        Session &s = m_d.session;
        for (BrowserTab &each : m_d.controls.tabs) {
            const int i = each.number();
            const SetupRow &r = row(i);
            TabSetting &setting = s.settings[i];
            if (r.startUrlEdit->text() != setting.startUrl) {
                each.setCaption(r.tabNameEdit->text());
                s.tabs.startupDone = false;
                each.state().started = false;
                each.state().loading = true;
            }
            setting.startUrl = r.startUrlEdit->text();
            if (r.tabNameEdit->text() != setting.tabName)
                each.setCaption(r.tabNameEdit->text());
            setting.tabName = r.tabNameEdit->text();
            setting.pauseWhileLoading = r.pauseCheck->isChecked();
            setting.autoRefresh = r.autoRefreshCheck->isChecked();
            setting.refreshMinutes = toInt16(basicVal(r.intervalEdit->text()));
            setting.openNewBrowser = r.newBrowserCheck->isChecked();
        }
        writeProfile(s.settings.profilePath, s.settings);
        s.tabs.startupDone = false;
    });
    return !trap.ended();
}

void SetupDialog::saveAndClose()
{
    Trap(m_d.errors, QStringLiteral(" At Setup Ok")).step([&] {
        Session &s = m_d.session;
        if (!s.settings.loadedForSetup) {
            writeRowsToProfile();
        } else if (m_d.prompts.ask({QStringLiteral("Overwire Setup.Set?"),
                                    QStringLiteral("If you wish to overwrite SETUP.SET (the "
                                                   "default setup profile) with this "
                                                   "information, Select YES, otherwise Select NO"),
                                    PromptIcon::Critical, false})) {
            s.settings.loadedForSetup = false;
            writeRowsToProfile();
        }
        m_loadingControls = false;
    });
    close();
}

void SetupDialog::setOnTop(bool onTop)
{
    const bool shown = isVisible();
    setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
    if (shown)
        show();
}

void SetupDialog::showHelp()
{
    setOnTop(false);
    m_d.showHelp();
    setOnTop(true);
}

void SetupDialog::eraseHistory()
{
    Trap(m_d.errors, QStringLiteral(" At EraseCombo")).step([&] {
        if (!m_d.prompts.ask({QStringLiteral("Erase DropDown History?"),
                              QStringLiteral("Are you sure you wish to erase the Dropdown Combo "
                                             "History?"),
                              PromptIcon::Question, false}))
            return;
        // Each address box keeps its text: the address bar holds it across the list's change.
        m_d.session.history.clear();
    });
}

QString SetupDialog::chooseProfile(bool save)
{
    FileRequest request;
    request.title = save ? QStringLiteral("Save Setup") : QStringLiteral("Load Setup");
    request.folder = m_d.session.appFolder;
    request.fileName = m_d.session.settings.profilePath;
    request.filter = save ? QStringLiteral("Setup File (*.set)")
                          : QStringLiteral("Setup Files (*.set)");
    setOnTop(false);  // the file dialog must not open behind us
    QString path = save ? m_d.prompts.saveFileName(request) : m_d.prompts.openFileName(request);
    setOnTop(true);
    if (save && !path.isEmpty() && !path.endsWith(QStringLiteral(".set"), Qt::CaseInsensitive))
        path += QStringLiteral(".set");
    return path;
}

void SetupDialog::saveProfile()
{
    Trap(m_d.errors, QStringLiteral(" At Com6")).step([&] {
        const QString path = chooseProfile(true);
        if (path.isEmpty())
            return;  // cancelled
        m_d.session.settings.profilePath = path;
        writeRowsToProfile();
        m_d.session.settings.profilePath =
            appFile(m_d.session.appFolder, QStringLiteral("Setup.set"));
    });
}

void SetupDialog::loadProfile()
{
    Trap(m_d.errors, QStringLiteral(" At Com6")).step([&] {
        const QString path = chooseProfile(false);
        if (path.isEmpty())
            return;  // cancelled
        Session &s = m_d.session;
        s.settings.profilePath = path;
        m_loadingControls = true;
        readProfileForSetup(s.settings, m_d.errors);
        fillRowsFromProfile();
        s.settings.loadedForSetup = true;
        s.settings.profilePath = appFile(s.appFolder, QStringLiteral("Setup.set"));
        m_d.timers.restartWhenSetupCloses();
        m_loadingControls = false;
    });
}

void SetupDialog::toggleFullScreen()
{
    m_d.window.toggleExpertMode();
    captionFullScreenButton();
}

void SetupDialog::autoRefreshClicked(int i)
{
    const SetupRow &r = row(i);
    const bool ticked = r.autoRefreshCheck->isChecked();
    r.intervalEdit->setEnabled(ticked);
    r.intervalEdit->setReadOnly(!ticked);
    r.intervalEdit->setText(QStringLiteral("0"));
}

void SetupDialog::newBrowserClicked(int i)
{
    Trap(m_d.errors, QStringLiteral(" At Open Browse Check")).step([&] {
        QCheckBox *box = row(i).newBrowserCheck;
        if (m_loadingControls || !box->isChecked())
            return;
        if (!m_d.prompts.ask({QStringLiteral("You Probably don't want to do this"),
                              kNewBrowserWarning, PromptIcon::Question, false}))
            box->setChecked(false);
    });
}

SetupDialog::~SetupDialog()
{
    // A dialog deleted while open holds the refresh back no more.
    if (m_timers && isVisible())
        m_timers->resume(RefreshPause::Setup);
}

void SetupDialog::showEvent(QShowEvent *event)
{
    // The pause follows the window's life, not its activation: focus events can still
    // arrive after it closed.
    m_d.timers.pause(RefreshPause::Setup);
    QDialog::showEvent(event);
}

bool SetupDialog::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop)
        return QDialog::eventFilter(watched, event);
    auto *drop = static_cast<QDropEvent *>(event);
    if (!drop->mimeData()->hasFormat(QLatin1String(TabStrip::kTabMime)))
        return QDialog::eventFilter(watched, event);
    drop->acceptProposedAction();
    if (type == QEvent::Drop) {
        Trap(m_d.errors, QStringLiteral(" At Drop Err")).step([&] {
            for (const BrowserTab &each : m_d.controls.tabs) {
                const int i = each.number();
                if (watched != row(i).startUrlEdit)
                    continue;
                TabControls &c = m_d.controls;
                const int n = c.tabStrip.draggedTab();
                if (!c.tabs.contains(n))
                    throwError(err::InvalidProperty);
                row(i).startUrlEdit->setText(c.tabs.tab(n).address());
                row(i).tabNameEdit->setText(c.tabStrip.caption(c.tabStrip.selected()));
            }
        });
        m_d.controls.tabStrip.setDragsTabs(false);
    }
    return true;
}

void SetupDialog::dragEnterEvent(QDragEnterEvent *event)
{
    if (event->mimeData()->hasFormat(QLatin1String(TabStrip::kTabMime)))
        event->acceptProposedAction();
}

void SetupDialog::dropEvent(QDropEvent *event)
{
    m_d.controls.tabStrip.setDragsTabs(false);
    event->acceptProposedAction();
}

void SetupDialog::reject()
{
    close();
}

void SetupDialog::closeEvent(QCloseEvent *event)
{
    m_d.controls.tabStrip.setDragsTabs(false);
    m_d.timers.resume(RefreshPause::Setup);
    event->accept();
}

}  // namespace pelquin
