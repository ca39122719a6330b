#include "shell/commands.h"

#include "tabs/address_bar.h"
#include "address/open_location.h"
#include "platform/error_report.h"
#include "platform/prompts.h"
#include "core/session.h"
#include "shell/speed_menu.h"
#include "tabs/button_bar.h"
#include "tabs/goto_dialog.h"
#include "tabs/tab_strip.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>

#include <tuple>
#include <utility>

namespace pelquin {

Commands::Commands(QWidget &window, Session &session, TabControls controls, SpeedMenu &menu,
                   const SponsorSite &sponsor, Prompts &prompts, ErrorReporter &errors)
    : QObject(&window), m_window(window), m_session(session), m_c(controls), m_menu(menu),
      m_prompts(prompts), m_errors(errors), m_navigation(session, controls, sponsor, errors)
{
    connectMenu();
    connect(&m_c.buttons, &ButtonBar::buttonClicked, this, &Commands::onButtonClicked);
    connect(&m_c.buttons, &ButtonBar::mouseMoved, this, [this] { m_navigation.homeHint(); });
}

void Commands::connectMenu()
{
    const std::pair<const char *, void (NavigationCommands::*)()> navigation[] = {
        {"mnuBack", &NavigationCommands::goBack},
        {"mnuForward", &NavigationCommands::goForward},
        {"mnuStop", &NavigationCommands::stop},
        {"mnuRefresh", &NavigationCommands::refresh},
        {"mnuhome", &NavigationCommands::goHome},
        {"mnuSearch", &NavigationCommands::search},
        {"mnuPrint", &NavigationCommands::print},
    };
    for (const auto &[name, command] : navigation) {
        connect(m_menu.item(QLatin1String(name)), &QAction::triggered, this,
                [this, command = command] { (m_navigation.*command)(); });
    }
    connect(m_menu.item(QStringLiteral("mnuOpen")), &QAction::triggered, this,
            &Commands::openLocation);
    connect(m_menu.item(QStringLiteral("mnuGoto")), &QAction::triggered, this,
            &Commands::gotoTab);
}

void Commands::onButtonClicked(const QString &name)
{
    // Button name, its menu item, and whether the Setup dialog being open holds it back.
    static const std::tuple<const char *, const char *, bool> buttons[] = {
        {"Back", "mnuBack", false},       {"Forward", "mnuForward", false},
        {"Stop", "mnuStop", false},       {"Refresh", "mnuRefresh", false},
        {"Home", "mnuhome", false},       {"Search", "mnuSearch", false},
        {"Favorites", "mnuFavorites", true}, {"History", "mnuHistory", true},
        {"Print", "mnuPrint", true},      {"Setup", "mnuSetup", false},
        {"Goto Tab", "mnuGoto", true},    {"Help", "mnuHelp", true},
    };
    for (const auto &[button, item, heldBySetup] : buttons) {
        if (name != QLatin1String(button))
            continue;
        if (heldBySetup && m_session.setupOpen)
            return;
        m_menu.item(QLatin1String(item))->trigger();
        return;
    }
}

void Commands::openLocation()
{
    int t = m_c.tabStrip.selected();
    if (t < 1 || t > kTabCount)
        return;
    QComboBox *combo = m_c.addressBar.combo(t);
    if (!combo->isHidden()) {
        combo->setFocus();
        // As the desktop's browsers do: typing replaces the address.
        if (combo->lineEdit())
            combo->lineEdit()->selectAll();
        return;
    }
    QString address;
    {
        OpenLocationDialog dialog(m_session.history, m_c.tabStrip, m_c.addressBar.text(t),
                                  &m_window);
        m_prompts.showModal(dialog);
        address = dialog.openAddress();
    }
    t = m_c.tabStrip.selected();
    if (address.trimmed().isEmpty() || t < 1 || t > kTabCount)
        return;
    Trap trap(m_errors, QStringLiteral(" At FL"), {err::EFail});
    trap.step([&] { m_c.browsers.at(t).navigate(address); });
    trap.step([&] { m_session.history.AddToCombos(address); });
}

void Commands::gotoTab()
{
    int choice = -1;
    {
        GotoDialog dialog(m_c.tabStrip, &m_window);
        m_prompts.showModal(dialog);
        choice = dialog.gotoChoice();
    }
    if (choice > -1)
        m_c.tabStrip.select(choice + 1);
}

}  // namespace pelquin
