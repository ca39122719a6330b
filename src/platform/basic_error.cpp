#include "platform/basic_error.h"

#include <array>
#include <utility>

namespace pelquin {

QString errorDescription(int number)
{
    static const std::array<std::pair<int, const char *>, 24> table{{
        {3, "Return without GoSub"},
        {5, "Invalid procedure call or argument"},
        {6, "Overflow"},
        {7, "Out of memory"},
        {9, "Subscript out of range"},
        {11, "Division by zero"},
        {13, "Type mismatch"},
        {16, "Expression too complex"},
        {51, "Internal error"},
        {52, "Bad file name or number"},
        {53, "File not found"},
        {54, "Bad file mode"},
        {55, "File already open"},
        {57, "Device I/O error"},
        {61, "Disk full"},
        {62, "Input past end of file"},
        {70, "Permission denied"},
        {75, "Path/File access error"},
        {76, "Path not found"},
        {91, "Object variable or With block variable not set"},
        {380, "Invalid property value"},
        {384, "A form can't be moved or sized while minimized or maximized"},
        {438, "Object doesn't support this property or method"},
        {35601, "Element not found"},
    }};
    for (const auto &[n, text] : table) {
        if (n == number)
            return QString::fromLatin1(text);
    }
    if (number == err::EFail)
        return QStringLiteral("Automation error Unspecified error");
    return QStringLiteral("Application-defined or object-defined error");
}

}  // namespace pelquin
