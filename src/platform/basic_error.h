#pragma once

#include <QString>

#include <exception>

namespace pelquin {

// The run-time error numbers the program reports, as the classic Basic runtime numbers them.
namespace err {
inline constexpr int InvalidCall = 5;
inline constexpr int Overflow = 6;
inline constexpr int OutOfMemory = 7;
inline constexpr int SubscriptOutOfRange = 9;
inline constexpr int TypeMismatch = 13;
inline constexpr int InternalError = 51;
inline constexpr int BadFileNameOrNumber = 52;
inline constexpr int FileNotFound = 53;
inline constexpr int BadFileMode = 54;
inline constexpr int InputPastEnd = 62;
inline constexpr int PermissionDenied = 70;
inline constexpr int PathFileAccess = 75;
inline constexpr int PathNotFound = 76;
inline constexpr int ObjectNotSet = 91;
inline constexpr int InvalidProperty = 380;
inline constexpr int CantMoveMaximized = 384;
inline constexpr int NoSuchProperty = 438;
inline constexpr int IndexOutOfBounds = 35600;
inline constexpr int ElementNotFound = 35601;
inline constexpr int EFail = -2147467259;  // 0x80004005
}  // namespace err

// The platform's description of an error number; a generic text for numbers not in the table.
QString errorDescription(int number);

// A trapped run-time error: what a handler's error trap receives.
class BasicError : public std::exception {
public:
    explicit BasicError(int number) : m_number(number), m_description(errorDescription(number)) {}
    BasicError(int number, QString description)
        : m_number(number), m_description(std::move(description)) {}

    int number() const { return m_number; }
    const QString &description() const { return m_description; }
    const char *what() const noexcept override { return "pelquin run-time error"; }

private:
    int m_number;
    QString m_description;
};

[[noreturn]] inline void throwError(int number) { throw BasicError(number); }

}  // namespace pelquin
