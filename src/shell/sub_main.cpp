#include "shell/sub_main.h"

#include "desktop/system_probes.h"
#include "platform/app_folder.h"
#include "platform/error_report.h"
#include "platform/prompts.h"
#include "platform/single_instance.h"
#include "shell/session.h"

namespace pelquin {

bool SubMain(Session &session, SingleInstance &instance, Prompts &prompts,
             ErrorReporter &errors)
{
    session.platformId = SysV32().platformId;
    if (!instance.acquire()) {
        prompts.message(kAppTitle, QStringLiteral("Another instance of this program is running. "
                                                  "This program will terminate now."));
        return false;
    }
    Trap trap(errors, QStringLiteral(" At SubMain"));
    trap.step([&] {
        session.notice = readStartupNotice(appFile(session.appFolder, QStringLiteral("STD.DAT")));
    });
    return !trap.ended();
}

}  // namespace pelquin
