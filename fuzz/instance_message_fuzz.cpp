#include "app/remote_command.h"
#include "core/typed_address.h"
#include "platform/instance_messenger.h"

#include <QUrl>

#include <cstdlib>

using namespace pelquin;

// Whatever arrives on the local socket is refused or read as a few words and addresses; the
// command the words make never has a tab outside 1 to 30, a relative file, or an address that
// is not a web address or a local page.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray message(reinterpret_cast<const char *>(data), qsizetype(size));
    const QStringList addresses = InstanceMessenger::addressesOf(message);
    if (addresses.size() > InstanceMessenger::kMaxAddresses)
        std::abort();
    InstanceMessenger::answerOf(message);
    const std::optional<QStringList> words = InstanceMessenger::wordsOf(message);
    if (!words)
        return 0;
    if (words->size() > InstanceMessenger::kMaxRequestWords)
        std::abort();
    const RemoteCommand command = parseRemoteCommand(*words, QString());
    if (!command.error.isEmpty())
        return 0;
    if (command.tab < 0 || command.tab > 30)
        std::abort();
    if (!command.file.isEmpty() && !command.file.startsWith(QLatin1Char('/')))
        std::abort();
    if (!command.address.isEmpty()) {
        const QString scheme = typedAddressUrl(command.address).scheme();
        if (scheme != QStringLiteral("http") && scheme != QStringLiteral("https") &&
            scheme != QStringLiteral("file"))
            std::abort();
    }
    return 0;
}
