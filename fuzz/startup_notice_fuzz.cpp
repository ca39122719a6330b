#include "fuzz_file.h"
#include "platform/basic_error.h"
#include "core/startup_notice.h"

#include <cstdlib>

using namespace pelquin;

// Any STD.DAT reads without a crash, or ends in one of the reader's own errors.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const FuzzFile file(data, size, "STD.DAT");
    try {
        readStartupNotice(file.path());
    } catch (const BasicError &error) {
        if (error.number() == err::InternalError)
            std::abort();
    }
    return 0;
}
