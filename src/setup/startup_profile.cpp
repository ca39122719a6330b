#include "setup/startup_profile.h"

#include "platform/app_folder.h"
#include "platform/error_report.h"
#include "platform/settings_store.h"
#include "platform/twips.h"
#include "core/scriptable_window.h"
#include "core/session.h"

#include <QWidget>

#include <optional>

namespace pelquin {

StartupProfile::StartupProfile(Session &session, const SponsorSite &sponsor,
                               SettingsStore &settings, ErrorReporter &errors)
    : m_session(session), m_sponsor(sponsor), m_settings(settings), m_errors(errors)
{
}

RestoredPlacement StartupProfile::run(const QString &profileName, QWidget &window,
                                      ScriptableWindow &tabsLayout)
{
    RestoredPlacement placement;
    Trap trap(m_errors, QStringLiteral(" At DoSetup"));
    trap.step([&] {
        m_session.settings.profilePath = chosenProfilePath(m_session.appFolder, profileName);
    });
    trap.step([&] { readStartupProfile(m_session.settings, m_sponsor, m_errors); });
    // The address boxes already list the history: all of them show its one shared model.
    trap.step([&] {
        tabsLayout.layOutTabs();
    });
    // Each value is applied as soon as it is read: a bad value leaves the rest unapplied.
    // The state goes on last, so that the place and size read are the normal placement the
    // window returns to when it is no longer maximised.
    std::optional<Qt::WindowState> state;
    trap.step([&] {
        const int stored = m_settings.number(setting::WindowState);
        state = stored == 2 ? Qt::WindowMaximized
                : stored == 1 ? Qt::WindowMinimized
                              : Qt::WindowNoState;
    });
    QRect &outer = placement.outer;
    outer = window.frameGeometry();
    trap.step([&] {
        outer.moveTop(toPixels(m_settings.number(setting::Top)));
        window.move(outer.topLeft());
    });
    trap.step([&] {
        outer.moveLeft(toPixels(m_settings.number(setting::Left)));
        window.move(outer.topLeft());
    });
    trap.step([&] {
        outer.setWidth(qMax(1, toPixels(m_settings.number(setting::Width))));
        window.resize(outer.width(), window.height());
    });
    trap.step([&] {
        outer.setHeight(qMax(1, toPixels(m_settings.number(setting::Height))));
        window.resize(window.width(), outer.height());
        placement.applied = true;
    });
    if (state) {
        window.setWindowState(*state);
        placement.maximized = *state == Qt::WindowMaximized;
    }
    return placement;
}

}  // namespace pelquin
