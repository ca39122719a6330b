#pragma once

#include <QDateTime>
#include <QString>

#include <optional>

namespace pelquin {

// The start-up notice state kept in STD.DAT.
struct StartupNotice {
    qint16 showHelpAtStart = 0;  // 1: show the help screen at start-up
    qint16 noticeNumber = 0;     // carried unchanged
    std::optional<QDateTime> noticeDate;  // carried unchanged; empty when not a date
};

// Reads the three fields. A field that is not a number or not a date leaves its value as it
// was (the read goes on); a missing file raises 53, a short one 62, a huge number 6.
StartupNotice readStartupNotice(const QString &path);

void writeStartupNotice(const QString &path, const StartupNotice &notice);

}  // namespace pelquin
