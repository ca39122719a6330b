#pragma once

#include "app/remote_command.h"
#include "platform/instance_messenger.h"
#include "tabs/tab_controls.h"

#include <QObject>

namespace pelquin {

class Clock;
class FreeTabs;
class PassingPage;
class TabWatching;

// The running program's side of the commands of a later start (pelquin --status, --tab,
// --select, --refresh, --show, --picture): every request is read again as the command line
// reads its arguments, so a request no command line could make is refused.
class RemoteAnswers : public QObject {
    Q_OBJECT
public:
    struct Deps {
        TabControls controls;
        FreeTabs &freeTabs;
        TabWatching &watching;
        const Clock &clock;
    };
    explicit RemoteAnswers(Deps deps, QObject *parent = nullptr);

    InstanceAnswer answer(const QStringList &words);
    PassingPage &passing() const { return *m_passing; }

private:
    InstanceAnswer status() const;
    InstanceAnswer loadTab(const RemoteCommand &command);
    InstanceAnswer select(const RemoteCommand &command);
    InstanceAnswer refresh(const RemoteCommand &command);
    InstanceAnswer show(const RemoteCommand &command);
    InstanceAnswer picture(const RemoteCommand &command) const;
    // The tab's strip shows it: the others cannot be chosen.
    bool inStrip(int tab) const;
    static InstanceAnswer notInStrip(int tab);

    TabControls m_c;
    FreeTabs &m_freeTabs;
    TabWatching &m_watching;
    PassingPage *m_passing;
};

}  // namespace pelquin
