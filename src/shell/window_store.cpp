#include "shell/window_store.h"

#include "core/session.h"
#include "platform/app_folder.h"
#include "platform/error_report.h"
#include "platform/prompts.h"
#include "platform/settings_store.h"
#include "platform/twips.h"
#include "shell/window_bounds.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace pelquin {

WindowStore::WindowStore(QWidget &window, Session &session, const BarVisibility &bars,
                         SettingsStore &settings, Prompts &prompts, ErrorReporter &errors)
    : m_window(window), m_session(session), m_bars(bars), m_settings(settings),
      m_prompts(prompts), m_errors(errors)
{
}

void WindowStore::loadHistory()
{
    const QString path = appFile(m_session.appFolder, QStringLiteral("Requests.Dat"));
    try {
        bool whole = false;
        const QStringList entries = readHistoryFile(path, [this] {
            return m_prompts.ask(
                {QStringLiteral("Limit # of dropdown entries?"),
                 QStringLiteral("You have more that 50 sites in your dropdown history. "
                                "This slows loading. Do you wish to limit your dropdown "
                                "history to the first 50?"),
                 PromptIcon::Question, true});
        }, &whole);
        m_session.history.loadFile(entries, whole);
    } catch (const BasicError &error) {
        // A missing history is an empty one; start-up goes on.
        if (error.number() != err::FileNotFound)
            throw;
        m_session.history.loadFile({}, true);
    }
}

void WindowStore::saveHistory()
{
    if (m_keepsNothing || !m_session.history.mayRewriteFile())
        return;
    Trap(m_errors, QStringLiteral(" At QueryUnload")).step([&] {
        writeHistoryFile(appFile(m_session.appFolder, QStringLiteral("Requests.Dat")),
                         m_session.history.requests());
    });
}

bool WindowStore::saveHistoryQuietly()
{
    if (m_keepsNothing || !m_session.history.mayRewriteFile())
        return true;
    try {
        writeHistoryFile(appFile(m_session.appFolder, QStringLiteral("Requests.Dat")),
                         m_session.history.requests());
        return true;
    } catch (const BasicError &error) {
        qWarning("Requests.Dat not saved: run-time error %d: %s", error.number(),
                 qUtf8Printable(error.description()));
        return false;
    }
}

void WindowStore::fitOuterSize()
{
    // The stored place and size are the frame's, and the window manager tells the frame only
    // some time after the window shows: put the frame there once it is known, on a screen.
    QWidget &w = m_window;
    if (!m_placement.applied || !w.isVisible() || w.isMinimized() || w.isFullScreen())
        return;
    const QSize extra = w.frameGeometry().size() - w.size();
    if (extra.width() <= 0 && extra.height() <= 0)
        return;
    m_placement.applied = false;
    if (m_placement.maximized) {
        // Asked for before the window was mapped, the state is lost on some window managers.
        w.setWindowState(w.windowState() | Qt::WindowMaximized);
        return;
    }
    QList<QRect> screens;
    for (const QScreen *screen : QGuiApplication::screens())
        screens << screen->availableGeometry();
    const QRect outer = keepReachable(m_placement.outer, screens, QSize(1, 1));
    w.move(outer.topLeft());
    w.resize(outer.size() - extra);
}

void WindowStore::savePlacement()
{
    if (m_keepsNothing)
        return;
    SettingsStore &s = m_settings;
    const QWidget &w = m_window;
    if (w.isMaximized() || w.isFullScreen())
        s.setValue(setting::WindowState, QStringLiteral("2"));
    else if (!w.isMinimized())
        s.setValue(setting::WindowState, QStringLiteral("0"));
    const QRect outer = w.frameGeometry();
    s.setValue(setting::Top, QString::number(toTwips(outer.top())));
    s.setValue(setting::Left, QString::number(toTwips(outer.left())));
    s.setValue(setting::Width, QString::number(toTwips(outer.width())));
    s.setValue(setting::Height, QString::number(toTwips(outer.height())));
    // Stored as the text "1" for a hidden bar and "0" for a shown one.
    const auto flag = [](bool hidden) { return QString::number(hidden ? 1 : 0); };
    s.setValue(setting::Toolbar, flag(m_bars.buttonsHidden));
    s.setValue(setting::Address, flag(m_bars.addressHidden));
    s.setValue(setting::Status, flag(m_bars.statusHidden));
    s.sync();
}

}  // namespace pelquin
