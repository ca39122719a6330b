#include "platform/basic_error.h"
#include "script/script_parser.h"

using pelquin::parseStatements;

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <cstdlib>

// Any page body, read as the script reader reads it, must give at most 200 statements and
// either a result or a trapped run-time error.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data),
                                           static_cast<qsizetype>(size));
    for (const QString &script :
         {text, pelquin::pelscriptBlock(text).value_or(QString()),
          QStringLiteral("<SCRIPT LANGUAGE=PELSCRIPT>") + text + QStringLiteral("></SCRIPT>")}) {
        try {
            const auto statements = parseStatements(pelquin::pelscriptBlock(script).value_or(script));
            if (statements.size() > size_t(pelquin::kMaxStatements))
                std::abort();
            for (const auto &s : statements) {
                if (s.arg.contains(QLatin1Char('"')))
                    std::abort();  // values never keep their quotes
            }
        } catch (const pelquin::BasicError &error) {
            if (error.number() != pelquin::err::InvalidCall)
                std::abort();
        }
    }
    const int p = pelquin::inthescript(text);
    if (p < 0 || p > text.size())
        std::abort();
    if (pelquin::strip(text).contains(QStringLiteral("  ")))
        std::abort();
    return 0;
}
