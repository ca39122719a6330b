#pragma once

#include <QDateTime>
#include <QString>

#include <optional>

namespace pelquin {

// A whole number as the print statement writes it: a blank for the sign when not negative,
// the digits, one blank behind (" 0 ", "-1 ", " 15 ").
QString printNumber(qint64 value);

// The number at the start of a text, as Basic's Val reads it: blanks skipped, an optional
// sign, digits with an optional fraction and exponent; 0 when there is no number.
double basicVal(const QString &text);

// A text that must be a number as a whole (blanks around it allowed, empty counts as 0);
// anything else raises the type mismatch error.
double strictNumber(const QString &text);

// Rounds halves to even and checks the signed 16-bit range (error 6 outside it).
qint16 toInt16(double value);

// The zero date-time: 1899-12-30 at midnight.
QDateTime zeroDate();

// The system's short date form, with the time only when not midnight and the date only when
// not the zero date.
QString formatDate(const QDateTime &value);
// Empty when the text is not a date by the system's rules (or ISO form).
std::optional<QDateTime> parseDate(const QString &text);

}  // namespace pelquin
