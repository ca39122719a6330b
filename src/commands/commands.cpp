#include "commands/commands.h"

#include "tabs/tab_collection.h"
#include "address/open_location.h"
#include "platform/error_report.h"
#include "platform/prompts.h"
#include "core/session.h"
#include "commands/speed_menu.h"
#include "commands/goto_dialog.h"
#include "tabs/tab_strip.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>

#include <utility>

namespace pelquin {

Commands::Commands(QWidget &window, Session &session, TabControls controls, SpeedMenu &menu,
                   const RefreshPauses &pauses, const SponsorSite &sponsor, Prompts &prompts,
                   ErrorReporter &errors)
    : QObject(&window), m_window(window), m_session(session), m_c(controls), m_menu(menu),
      m_pauses(pauses),
      m_prompts(prompts), m_errors(errors), m_navigation(session, controls, menu, sponsor, errors)
{
    for (const CommandRow &row : commandTable()) {
        if (QAction *item = m_menu.item(row.command))
            connect(item, &QAction::triggered, this, [this, command = row.command] {
                if (const auto handler = m_handlers.find(command); handler != m_handlers.end())
                    handler->second();
            });
    }
    const std::pair<Command, void (NavigationCommands::*)()> navigation[] = {
        {Command::Back, &NavigationCommands::goBack},
        {Command::Forward, &NavigationCommands::goForward},
        {Command::Stop, &NavigationCommands::stop},
        {Command::Refresh, &NavigationCommands::refresh},
        {Command::Home, &NavigationCommands::goHome},
        {Command::Search, &NavigationCommands::search},
        {Command::Print, &NavigationCommands::print},
    };
    for (const auto &[command, run] : navigation)
        bind(command, [this, run = run] { (m_navigation.*run)(); });
    bind(Command::OpenLocation, [this] { openLocation(); });
    bind(Command::Goto, [this] { gotoTab(); });
}

void Commands::bind(Command command, std::function<void()> handler)
{
    m_handlers[command] = std::move(handler);
}

bool Commands::run(Command command, CommandSource source)
{
    QAction *item = m_menu.item(command);
    const auto handler = m_handlers.find(command);
    if (!item && handler == m_handlers.end())
        return false;
    if (source != CommandSource::Menu && commandRow(command).heldBySetup && setupOpen())
        return true;
    // A command of the menu runs as its item does; one that only keys have, directly.
    if (item)
        item->trigger();
    else
        handler->second();
    return true;
}

void Commands::onButtonClicked(int index)
{
    if (const std::optional<Command> command = commandOfButton(index))
        run(*command, CommandSource::Button);
}

void Commands::openLocation()
{
    int t = m_c.tabStrip.selected();
    if (!m_c.tabs.contains(t))
        return;
    QComboBox *combo = &m_c.tabs.tab(t).addressBox();
    if (!combo->isHidden()) {
        combo->setFocus();
        // As the desktop's browsers do: typing replaces the address.
        if (combo->lineEdit())
            combo->lineEdit()->selectAll();
        return;
    }
    QString address;
    {
        OpenLocationDialog dialog(m_session.history, m_c.tabs.tab(t).address(), &m_window);
        connect(&dialog, &OpenLocationDialog::addressPicked, this, [this] {
            if (const int selected = m_c.tabStrip.selected(); m_c.tabs.contains(selected))
                m_c.tabs.tab(selected).setPicture(TabPicture::None);
        });
        m_prompts.showModal(dialog);
        address = dialog.openAddress();
    }
    t = m_c.tabStrip.selected();
    if (address.trimmed().isEmpty() || !m_c.tabs.contains(t))
        return;
    Trap trap(m_errors, QStringLiteral(" At FL"), {err::EFail});
    trap.step([&] {
        m_c.tabs.tab(t).browser().navigate(addressOrSearch(address, m_session.tabs.searchTemplate));
    });
    trap.step([&] { m_session.history.addToHistory(address); });
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
