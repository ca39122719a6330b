#include "desktop/favorites.h"
#include "fuzz_file.h"
#include "platform/error_report.h"
#include "platform/scripted_prompts.h"
#include "core/typed_address.h"

#include <QDir>

#include <cstdlib>

using namespace pelquin;

// Any shortcut file gives an address of one line, and a Favorites page with it in stays a
// page: no script address becomes a link, no markup of the file reaches the page unescaped.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const FuzzFile shortcut(data, size, "x.url");
    const QString address = shortcutAddress(shortcut.path());
    if (address.contains(QLatin1Char('\n')) || address.contains(QLatin1Char('\r')))
        std::abort();
    QDir().mkpath(shortcut.sibling("Favorites"));
    QFile::copy(shortcut.path(), shortcut.sibling("Favorites/odd.url"));
    ScriptedPrompts prompts;
    ErrorReporter errors(prompts);
    const QStringList lines = favoritesPage(shortcut.sibling("Favorites"), errors);
    for (const QString &line : lines) {
        if (line.contains(QStringLiteral("<script"), Qt::CaseInsensitive))
            std::abort();
        if (line.startsWith(QStringLiteral("<a href=\""))) {
            const QString href = line.section(QLatin1Char('"'), 1, 1);
            if (typedAddressUrl(href).scheme() == QStringLiteral("javascript"))
                std::abort();
        }
    }
    return 0;
}
