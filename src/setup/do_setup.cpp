#include "setup/do_setup.h"

#include "platform/app_folder.h"
#include "platform/error_report.h"
#include "platform/settings_store.h"
#include "platform/twips.h"
#include "shell/session.h"
#include "shell/window_layout.h"

#include <QWidget>

namespace pelquin {

DoSetup::DoSetup(Session &session, const SponsorSite &sponsor, SettingsStore &settings,
                 ErrorReporter &errors)
    : m_session(session), m_sponsor(sponsor), m_settings(settings), m_errors(errors)
{
}

QString DoSetup::profilePath(const QString &appFolder, const QString &commandLine)
{
    if (commandLine.trimmed().isEmpty())
        return appFile(appFolder, QStringLiteral("Setup.set"));
    return appFile(appFolder, commandLine);
}

RestoredPlacement DoSetup::run(const QString &commandLine, QWidget &window,
                               WindowLayout &layout)
{
    RestoredPlacement placement;
    Trap trap(m_errors, QStringLiteral(" At DoSetup"));
    trap.step([&] {
        m_session.settings.profilePath = profilePath(m_session.appFolder, commandLine);
    });
    trap.step([&] { ReadSetup(m_session.settings, m_sponsor, m_errors); });
    // The dropdowns already list the history: all of them show its one shared model.
    trap.step([&] {
        for (int tab = 1; tab <= kTabCount; ++tab) {
            layout.placeTab(tab);
            layout.fixpositions(tab);
            layout.fixwebheight(tab);
        }
    });
    // Each value is applied as soon as it is read: a bad value leaves the rest unapplied.
    // Positions and sizes are kept as the normal placement also while maximised.
    trap.step([&] {
        const int state = m_settings.number(setting::WindowState);
        window.setWindowState(state == 2   ? Qt::WindowMaximized
                              : state == 1 ? Qt::WindowMinimized
                                           : Qt::WindowNoState);
    });
    trap.step([&] { window.move(window.x(), toPixels(m_settings.number(setting::Top))); });
    trap.step([&] { window.move(toPixels(m_settings.number(setting::Left)), window.y()); });
    trap.step([&] {
        placement.outerWidth = qMax(1, toPixels(m_settings.number(setting::Width)));
        window.resize(placement.outerWidth, window.height());
    });
    trap.step([&] {
        placement.outerHeight = qMax(1, toPixels(m_settings.number(setting::Height)));
        window.resize(window.width(), placement.outerHeight);
        placement.applied = true;
    });
    return placement;
}

}  // namespace pelquin
