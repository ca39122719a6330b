#include "app/remote_answers.h"

#include "tabs/free_tabs.h"
#include "tabs/tab_strip.h"
#include "watch/passing_page.h"
#include "watch/tab_rotation.h"
#include "watch/tab_status.h"
#include "watch/tab_wall.h"
#include "watch/tab_watching.h"

#include <QImage>
#include <QSaveFile>

namespace pelquin {

namespace {

InstanceAnswer done(const QString &text) { return {true, text + QLatin1Char('\n')}; }
InstanceAnswer refused(const QString &text) { return {false, text + QLatin1Char('\n')}; }

}  // namespace

RemoteAnswers::RemoteAnswers(Deps deps, QObject *parent)
    : QObject(parent), m_c(deps.controls), m_freeTabs(deps.freeTabs), m_watching(deps.watching),
      m_passing(new PassingPage(deps.controls, deps.freeTabs, deps.clock, this))
{
    // A page shown for a while is not turned away by the rotation.
    m_watching.rotation().addHold([this] { return m_passing->active(); });
}

InstanceAnswer RemoteAnswers::answer(const QStringList &words)
{
    const RemoteCommand command = parseRemoteCommand(words, QString());
    if (!command.error.isEmpty())
        return refused(command.error);
    using Kind = RemoteCommand::Kind;
    switch (command.kind) {
    case Kind::Status: return status();
    case Kind::LoadTab: return loadTab(command);
    case Kind::Select: return select(command);
    case Kind::Refresh: return refresh(command);
    case Kind::Show: return show(command);
    case Kind::Picture: return picture(command);
    }
    return refused(QStringLiteral("The request was not understood."));
}

bool RemoteAnswers::inStrip(int tab) const
{
    return m_c.tabs.contains(tab) && tab <= m_c.tabStrip.count();
}

InstanceAnswer RemoteAnswers::notInStrip(int tab)
{
    return refused(QStringLiteral("Tab %1 is not in the tab strip.").arg(tab));
}

InstanceAnswer RemoteAnswers::status() const
{
    return {true, QString::fromUtf8(statusJson(m_c.tabs, m_c.tabStrip.selected(),
                                               m_watching.pages()))};
}

InstanceAnswer RemoteAnswers::loadTab(const RemoteCommand &command)
{
    if (!inStrip(command.tab))
        return notInStrip(command.tab);
    m_freeTabs.openTyped(m_c.tabs.tab(command.tab), command.address);
    return done(QStringLiteral("Tab %1 loads %2").arg(command.tab).arg(command.address));
}

InstanceAnswer RemoteAnswers::select(const RemoteCommand &command)
{
    if (!inStrip(command.tab))
        return notInStrip(command.tab);
    m_c.tabStrip.select(command.tab);
    return done(QStringLiteral("Tab %1 is selected").arg(command.tab));
}

InstanceAnswer RemoteAnswers::refresh(const RemoteCommand &command)
{
    if (command.tab != 0) {
        if (!inStrip(command.tab))
            return notInStrip(command.tab);
        BrowserTab &tab = m_c.tabs.tab(command.tab);
        if (!tab.hasPage())
            return refused(QStringLiteral("Tab %1 shows no page.").arg(command.tab));
        tab.refreshNow();
        return done(QStringLiteral("Tab %1 refreshes").arg(command.tab));
    }
    int count = 0;
    for (BrowserTab &tab : m_c.tabs) {
        if (tab.number() <= m_c.tabStrip.count() && tab.hasPage()) {
            tab.refreshNow();
            ++count;
        }
    }
    return done(QStringLiteral("%1 tabs refresh").arg(count));
}

InstanceAnswer RemoteAnswers::show(const RemoteCommand &command)
{
    const int tab = m_passing->show(command.address, command.seconds);
    if (tab == 0)
        return refused(QStringLiteral("No tab is free to show %1 in: every tab shows a page.")
                           .arg(command.address));
    return done(QStringLiteral("Tab %1 shows %2 for %3 s")
                    .arg(QString::number(tab), command.address,
                         QString::number(command.seconds)));
}

InstanceAnswer RemoteAnswers::picture(const RemoteCommand &command) const
{
    if (!inStrip(command.tab))
        return notInStrip(command.tab);
    const BrowserTab &tab = m_c.tabs.tab(command.tab);
    const QImage picture = m_watching.wall().latestPicture(tab);
    if (picture.isNull() && !tab.shownOnce)
        return refused(QStringLiteral("Tab %1 has no picture yet: its page has not been on "
                                      "the screen.")
                           .arg(command.tab));
    // Under X a page hidden a while gives only its background.
    if (picture.isNull())
        return refused(QStringLiteral("Tab %1 has no picture now: its page is not on the "
                                      "screen; pelquin --select %1 shows it.")
                           .arg(command.tab));
    QSaveFile file(command.file);
    if (!file.open(QIODevice::WriteOnly) || !picture.save(&file, "PNG") || !file.commit())
        return refused(QStringLiteral("%1 cannot be written: %2")
                           .arg(command.file, file.errorString()));
    return done(QStringLiteral("Tab %1's picture is in %2").arg(command.tab).arg(command.file));
}

}  // namespace pelquin
