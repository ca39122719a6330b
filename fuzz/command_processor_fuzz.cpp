#include "platform/basic_error.h"
#include "platform/error_report.h"
#include "platform/scripted_prompts.h"
#include "script/command_processor.h"
#include "script/script_parser.h"
#include "support/fake_scriptable_window.h"

#include <QString>
#include <QUrl>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <vector>

using namespace pelquin;
using pelquin::test::FakeScriptableWindow;

// Any statement list of a web page, read and run as a page's script is, asks the window
// nothing about a tab or button that does not exist, leaves 1 to 30 tabs on the strip, sends
// no page to the last tab, sends tabs only to web addresses and sets only bounded edges.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data),
                                           static_cast<qsizetype>(size));
    ScriptedPrompts prompts;
    ErrorReporter errors{prompts};
    FakeScriptableWindow window;
    CommandProcessor processor{window, QStringLiteral("/nonexistent/app"), errors};

    std::vector<Statement> statements;
    Trap trap(errors, QStringLiteral(" At ProcessPelScript"));
    trap.step([&] { statements = parseStatements(text + QStringLiteral("> ")); });
    if (!trap.ended())
        processor.runStatements(statements, QStringLiteral("http://page.example/"));

    if (window.strayAsks != 0)
        std::abort();
    if (window.stripTabCount() < 1 || window.stripTabCount() > FakeScriptableWindow::kPages)
        std::abort();
    if (!window.tab(FakeScriptableWindow::kPages).navigations.isEmpty())
        std::abort();
    for (int t = 1; t < FakeScriptableWindow::kPages; ++t) {
        for (const QString &address : window.tab(t).navigations) {
            const QString scheme = QUrl(address).scheme();
            if (scheme != QStringLiteral("http") && scheme != QStringLiteral("https"))
                std::abort();
        }
    }
    for (const auto &frame : window.frames) {
        if (!std::isfinite(frame.second) || std::abs(frame.second) > 1e9)
            std::abort();
    }
    return 0;
}
