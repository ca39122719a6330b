#include "platform/error_report.h"

#include "platform/prompts.h"

#include <algorithm>
#include <cstdio>

namespace pelquin {

QString ErrorReporter::text(const BasicError &error, const QString &label)
{
    return QString::number(error.number()) + QLatin1Char(' ') + error.description() + label;
}

void ErrorReporter::report(const BasicError &error, const QString &label)
{
    const QString line = text(error, label);
    // Also on the terminal: the box may wait where nobody sees it (a headless session).
    std::fprintf(stderr, "pelquin: error %s\n", line.toLocal8Bit().constData());
    std::fflush(stderr);
    m_prompts.message(kAppTitle, line);
}

void Trap::handle(const BasicError &error)
{
    const auto in = [&](const std::vector<int> &list) {
        return std::find(list.begin(), list.end(), error.number()) != list.end();
    };
    if (in(m_passOver))
        return;
    m_ended = true;
    m_endedBy = error.number();
    if (!in(m_endSilently) &&
        std::find(m_endSilently.begin(), m_endSilently.end(), kAnyError) == m_endSilently.end())
        m_reporter.report(error, m_label);
}

}  // namespace pelquin
