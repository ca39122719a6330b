#include "app/single_instance_start.h"

#include "desktop/system_probes.h"
#include "platform/app_folder.h"
#include "platform/error_report.h"
#include "platform/prompts.h"
#include "platform/single_instance.h"
#include "core/session.h"

#include <cstdio>

namespace pelquin {

bool startSingleInstance(Session &session, SingleInstance &instance, Prompts &prompts,
             ErrorReporter &errors)
{
    // A refusal waits for OK; on a terminal or a headless session, say why there too.
    const auto refuse = [&](const QString &text) {
        std::fprintf(stderr, "pelquin: %s\n", text.toLocal8Bit().constData());
        prompts.message(kAppTitle, text);
        return false;
    };
    switch (instance.acquire()) {
    case SingleInstance::Result::Acquired:
        break;
    case SingleInstance::Result::HeldByOther:
        return refuse(QStringLiteral("Another instance of this program is running. "
                                     "This program will terminate now."));
    case SingleInstance::Result::FolderNotWritable:
        return refuse(QStringLiteral("The application folder %1 cannot be written. "
                                     "This program will terminate now.")
                          .arg(session.appFolder));
    }
    Trap trap(errors, QStringLiteral(" At SubMain"));
    trap.step([&] {
        session.notice = readStartupNotice(appFile(session.appFolder, QStringLiteral("STD.DAT")));
    });
    return !trap.ended();
}

}  // namespace pelquin
