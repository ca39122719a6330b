#pragma once

#include "watch/watch_rule.h"

#include <QJsonObject>
#include <QJsonValue>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace pelquin {

// The rules of Watch.json in the application folder, one for each watched page. Everything
// the file holds is kept, bad rules and keys this program does not know included, so that
// writing the rules back loses nothing the user wrote.
class WatchRules {
public:
    // A larger file is not read: no one writes that many rules by hand.
    static constexpr qint64 kLargestFile = 4 * 1024 * 1024;

    // A private run reads the rules but never writes them.
    WatchRules(QString path, bool privateRun);

    // Reads the file again. A missing file means no rules and no message.
    void load();
    // Reads the rules from a file's bytes, as load does.
    void read(const QByteArray &bytes);

    // What was wrong in the last read, one message for each mistake.
    const QStringList &messages() const { return m_messages; }
    // False when the file could not be read whole: then it is never written over.
    bool readWhole() const { return m_whole; }

    // The first good rule that matches the address, or nullptr. Rules live until the next
    // load, read, put or remove.
    const WatchRule *ruleFor(const QString &address) const;
    // The good rules, in the file's order.
    std::vector<const WatchRule *> rules() const;
    // The rule for exactly this address as written, for changing it in the program.
    std::optional<QJsonObject> written(const QString &address) const;

    // Makes `rule` the rule for its address, in place of the first one with exactly that
    // address, or after the others. A bad rule is not taken: the problems are returned.
    QStringList put(const QJsonObject &rule);
    // The rule's number in the file, counting from 1, as messages name it; 0 when none has
    // exactly this address.
    int numberOf(const QString &address) const { return indexOf(address) + 1; }
    // Takes away the first rule with exactly this address; false when there is none.
    bool remove(const QString &address);

    // Writes the rules into the file at once or not at all. Returns why they were not
    // written, or an empty text.
    QString save() const;

private:
    struct Entry {
        QJsonValue written;  // as in the file, kept even when it is bad
        std::optional<WatchRule> rule;
    };

    QString fileName() const;
    void clear();
    void fail(const QString &message);
    void readRules(const QJsonArray &rules);
    int indexOf(const QString &address) const;

    QString m_path;
    bool m_private;
    QJsonObject m_file;  // the file's other keys
    std::vector<Entry> m_entries;
    QStringList m_messages;
    bool m_whole = true;
};

}  // namespace pelquin
