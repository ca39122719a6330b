#include "core/address_history.h"
#include "fuzz_file.h"
#include "platform/basic_error.h"

#include <cstdlib>

using namespace pelquin;

// Any Requests.Dat reads without a crash, and what was read writes and reads back as itself.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const FuzzFile file(data, size, "Requests.Dat");
    QStringList entries;
    try {
        entries = readHistoryFile(file.path(), [] { return false; });
    } catch (const BasicError &) {
        return 0;
    }
    for (const QString &entry : entries) {
        if (entry.isEmpty())
            std::abort();
    }
    const QString copy = file.sibling("copy.Dat");
    writeHistoryFile(copy, entries);
    bool whole = false;
    QStringList again = readHistoryFile(copy, [] { return false; }, &whole);
    // Line breaks are the one thing an entry cannot keep.
    for (QString &entry : entries)
        entry.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    entries.removeAll(QString());
    if (again != entries || !whole)
        std::abort();
    return 0;
}
