#pragma once

#include <QSet>
#include <QStringList>
#include <QStringListModel>

#include <functional>

namespace pelquin {

// The shared address history: one ordered list that every address dropdown shows through
// one model, so the 30 dropdowns never hold copies.
class AddressHistory {
public:
    // Loops over the list count in 16 bits, so the list never holds more than this.
    static constexpr int kMaxEntries = 32767;
    static constexpr int kAskLimit = 50;

    QStringListModel *model() { return &m_model; }
    int requestcount() const { return m_model.rowCount(); }
    QString request(int i) const;  // 1-based
    QStringList requests() const { return m_model.stringList(); }

    void setRequests(const QStringList &entries);
    void append(const QString &entry);
    // Empties every dropdown's list; their edit texts stay.
    void clear();

    // Adds an address typed or opened to the history unless it is there already, ignoring
    // case and a leading "http://" or "https://". The address comes back without that prefix.
    void AddToCombos(QString &address);

    // The first entry that begins with `text`, ignoring case, as the dropdowns' own prefix
    // search finds it; empty when none does.
    QString firstStartingWith(const QString &text) const;

    // The next change of a dropdown's text is not completed (shared by every dropdown).
    bool skipComplete = false;

private:
    QStringListModel m_model;
    QSet<QString> m_upper;  // every entry in upper case, for the duplicate test
};

// Reads Requests.Dat field by field; at 50 entries `limitToFifty` is asked once whether to
// stop there. Stops at kMaxEntries. Raises 53 for a missing file.
QStringList readHistoryFile(const QString &path, const std::function<bool()> &limitToFifty);

// Writes one entry a line; an entry with a comma goes between double quotes so that it
// reads back as one entry.
void writeHistoryFile(const QString &path, const QStringList &entries);

}  // namespace pelquin
