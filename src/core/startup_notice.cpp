#include "core/startup_notice.h"

#include "platform/basic_error.h"
#include "platform/basic_text.h"
#include "platform/text_file.h"

namespace pelquin {

namespace {

// A number field that is not a number is skipped: the value keeps what it had.
void readNumber(FieldReader &fields, qint16 &value)
{
    const QString text = fields.next();
    try {
        value = toInt16(strictNumber(text));
    } catch (const BasicError &error) {
        if (error.number() != err::TypeMismatch)
            throw;
    }
}

}  // namespace

StartupNotice readStartupNotice(const QString &path)
{
    StartupNotice notice;
    FieldReader fields(path);
    readNumber(fields, notice.showHelpAtStart);
    readNumber(fields, notice.noticeNumber);
    notice.noticeDate = parseDate(fields.next());
    return notice;
}

void writeStartupNotice(const QString &path, const StartupNotice &notice)
{
    writeTextFile(path, {printNumber(notice.showHelpAtStart), printNumber(notice.noticeNumber),
                         notice.noticeDate ? formatDate(*notice.noticeDate) : QString()});
}

}  // namespace pelquin
