#pragma once

#include <QSet>
#include <QStringList>
#include <QStringListModel>

#include <functional>

namespace pelquin {

// The shared address history: one ordered list that every address address box shows through
// one model, so the 30 address boxes never hold copies.
class AddressHistory {
public:
    // Loops over the list count in 16 bits, so the list never holds more than this.
    static constexpr int kMaxEntries = 32767;
    static constexpr int kAskLimit = 50;

    QStringListModel *model() { return &m_model; }
    int size() const { return m_model.rowCount(); }
    QString request(int i) const;  // 1-based
    QStringList requests() const { return m_model.stringList(); }

    void setRequests(const QStringList &entries);
    // The history as read from Requests.Dat; `whole` when nothing of the file was left out.
    void loadFile(const QStringList &entries, bool whole);
    void append(const QString &entry);
    // The user's erase: empties every address box's list (their edit texts stay), and the file
    // is rewritten empty at the end.
    void clear();
    // Writing back a history that was never read, or read only in part, would lose the rest
    // of the file; once the user has erased it, it is the user's list again.
    bool mayRewriteFile() const { return m_mayRewriteFile; }

    // Adds an address typed or opened to the history unless it is there already, ignoring
    // case and a leading "http://" or "https://". The address comes back without that prefix.
    void addToHistory(QString &address);

    // The first entry that begins with `text`, ignoring case, as the address boxes' own prefix
    // search finds it; empty when none does.
    QString firstStartingWith(const QString &text) const;

    // The next change of a address box's text is not completed (shared by every address box).
    bool skipComplete = false;

private:
    QStringListModel m_model;
    QSet<QString> m_upper;  // every entry in upper case, for the duplicate test
    bool m_mayRewriteFile = false;
};

// Reads Requests.Dat field by field; at 50 entries `limitToFifty` is asked once whether to
// stop there. Stops at kMaxEntries. Raises 53 for a missing file. `readWhole` learns
// whether every entry of the file was read (or the user chose to keep 50).
QStringList readHistoryFile(const QString &path, const std::function<bool()> &limitToFifty,
                            bool *readWhole = nullptr);

// Writes one entry a line. An entry that would not read back as itself (a comma, a double
// quote, a leading blank) goes between double quotes, with its own quotes doubled.
void writeHistoryFile(const QString &path, const QStringList &entries);

}  // namespace pelquin
