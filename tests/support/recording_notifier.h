#pragma once

#include "platform/desktop_notifier.h"

#include <QStringList>

namespace pelquin::test {

// Desktop notices as the tests read them: "3|Tab 3 changed|caption" in `shown`, and without
// the body in `summaries`; `click` is the user clicking one.
class RecordingNotifier final : public DesktopNotifier {
public:
    void notify(int key, const QString &summary, const QString &body) override
    {
        shown << QStringLiteral("%1|%2|%3").arg(key).arg(summary, body);
        summaries << QStringLiteral("%1|%2").arg(key).arg(summary);
    }
    void click(int key) { emit clicked(key); }

    QStringList shown;
    QStringList summaries;
};

}  // namespace pelquin::test
