// platform/: what stands in for the desktop's services: settings, error report, prompts,
// clock, text files, key codes, twips, the application folder and single instance.

#pragma once

#include "platform/basic_error.h"

#include <QString>

#include <initializer_list>
#include <limits>
#include <vector>

namespace pelquin {

class Prompts;

inline const QString kAppTitle = QStringLiteral("Pelquiner");

// Shows a trapped error: number, a blank, the description, then the handler's label; the
// same line goes to standard error.
class ErrorReporter {
public:
    explicit ErrorReporter(Prompts &prompts) : m_prompts(prompts) {}
    void report(const BasicError &error, const QString &label);
    static QString text(const BasicError &error, const QString &label);

private:
    Prompts &m_prompts;
};

// Runs a handler's steps under its label. An error whose number is in `passOver` skips only
// the failing step; one in `endSilently` ends the handler without a message; any other is
// reported and ends the handler, so the steps after it are not run. Nothing escapes.
class Trap {
public:
    // In `endSilently`: every error not passed over ends the handler without a message.
    static constexpr int kAnyError = std::numeric_limits<int>::min();

    Trap(ErrorReporter &reporter, QString label, std::initializer_list<int> passOver = {},
         std::initializer_list<int> endSilently = {})
        : m_reporter(reporter), m_label(std::move(label)), m_passOver(passOver),
          m_endSilently(endSilently)
    {
    }

    template <class Step>
    Trap &step(Step &&run)
    {
        if (m_ended)
            return *this;
        try {
            run();
        } catch (const BasicError &error) {
            handle(error);
        } catch (const std::exception &) {
            handle(BasicError(err::InternalError));
        }
        return *this;
    }

    bool ended() const { return m_ended; }
    // The number of the error that ended the handler, 0 when none did.
    int endedBy() const { return m_endedBy; }

private:
    void handle(const BasicError &error);

    ErrorReporter &m_reporter;
    QString m_label;
    std::vector<int> m_passOver;
    std::vector<int> m_endSilently;
    bool m_ended = false;
    int m_endedBy = 0;
};

}  // namespace pelquin
