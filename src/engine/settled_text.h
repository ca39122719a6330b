#pragma once

#include <QElapsedTimer>
#include <QList>
#include <QObject>
#include <QString>

#include <functional>
#include <memory>

namespace pelquin {

// Reads a page's text once it has settled. Many pages fill in their words by script after
// they complete (a status page fetching its figures), so the text is read when the page's
// document has not changed for a second; a page that never rests (a clock) is read as it
// is after a few seconds. When another load begins, the text is read at once.
class SettledText : public QObject {
public:
    using Done = std::function<void(const QString &)>;
    // Reads the page's text as it is now, answering later.
    using TextReader = std::function<void(Done)>;
    // Asks how many milliseconds the page's document has been unchanged, answering later.
    using QuietReader = std::function<void(std::function<void(double)>)>;

    static constexpr int kQuietMs = 1000;
    static constexpr int kPollMs = 400;
    static constexpr int kLongestMs = 8000;

    SettledText(TextReader text, QuietReader quiet, QObject *parent)
        : QObject(parent), m_text(std::move(text)), m_quiet(std::move(quiet))
    {
    }

    void read(Done done);
    // A new load began: every reading in progress reads what is there now.
    void loadStarted();

private:
    struct Reading {
        Done done;
        QElapsedTimer since;
        bool delivered = false;
    };
    void check(const std::shared_ptr<Reading> &reading);
    void readNow(const std::shared_ptr<Reading> &reading);

    TextReader m_text;
    QuietReader m_quiet;
    QList<std::shared_ptr<Reading>> m_pending;
};

}  // namespace pelquin
