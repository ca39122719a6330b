#include "fuzz_file.h"
#include "platform/basic_error.h"
#include "core/tab_settings.h"

#include <cstdlib>

using namespace pelquin;

// Any profile reads without a crash, or ends in one of the reader's own errors.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const FuzzFile file(data, size, "Setup.set");
    TabSettings settings;
    try {
        readProfile(file.path(), settings);
    } catch (const BasicError &error) {
        if (error.number() == err::InternalError)
            std::abort();
        return 0;
    }
    // What was read writes and reads back the same.
    writeProfile(file.sibling("copy.set"), settings);
    TabSettings again;
    readProfile(file.sibling("copy.set"), again);
    for (int t = 1; t <= kTabCount; ++t) {
        if (again[t].refreshMinutes != settings[t].refreshMinutes ||
            again[t].autoRefresh != settings[t].autoRefresh)
            std::abort();
    }
    return 0;
}
