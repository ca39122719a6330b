#pragma once

#include "watch/text_versions.h"
#include "watch/watch_rules.h"

#include <QFileSystemWatcher>
#include <QObject>
#include <QSet>
#include <QTimer>

#include <functional>

namespace pelquin {

class BrowserTab;
class TabCollection;

// What is watched of each tab's page: the rules of Watch.json, read at start and again
// whenever the file changes on disk, handed to every tab's browser (the part of the page
// it watches), and the versions of the pages' watched text.
class WatchedPages : public QObject {
    Q_OBJECT
public:
    struct Deps {
        TabCollection &tabs;
        QString appFolder;  // empty: no file, no versions kept on disk
        bool privateRun = false;
        // Shows what is wrong in the file; each line names the file and the rule.
        std::function<void(const QStringList &)> showProblems;
    };
    // How long the file must rest after a change before it is read again: editors write in
    // steps.
    static constexpr int kReadAgainMs = 300;

    WatchedPages(Deps deps, QObject *parent);

    // The rule for the tab's page now; null when none applies.
    const WatchRule *ruleFor(const BrowserTab &tab) const;
    WatchRules &rules() { return m_rules; }
    TextVersions &versions() { return m_versions; }
    // The text as it is now, or once the page has settled after completing.
    enum class Reading { AsShown, Settled };
    // The tab's watched text, its rule's part with its ignored lines left out.
    void read(BrowserTab &tab, Reading reading, std::function<void(const QString &)> done) const;
    // What of a watched text counts as a change of the tab's page, as a digest: its rule's
    // numbers and times left out when it says so, and never markup or white space.
    QByteArray digestOf(const BrowserTab &tab, const QString &watched) const;
    // Keeps the text as the page's latest version when it differs from that by more than
    // what its rule ignores, so that a clock alone never pushes out the versions kept.
    void keepVersion(const BrowserTab &tab, const QString &address, const QString &watched,
                     const QDateTime &time);
    // The rule that applies to `address` as the file has it, for changing it in the program;
    // a new rule for exactly that address when none applies.
    QJsonObject writtenRuleFor(const QString &address) const;
    // Reads the file again now and hands every tab its part.
    void reload();
    // The rules were changed in the program: every tab gets its part, and the file is written.
    // Returns why it could not be written, or an empty text.
    QString rulesEdited();

signals:
    // The rules changed, read again or edited in the program, and every tab has its part.
    void rulesApplied();

private:
    void onFolderChanged();
    void applyRules();
    void watchFile();
    void giveRegion(BrowserTab &tab, const QString &address);
    // The tab's page did not take its rule's selector: said once a run for each rule.
    void regionRefused(const BrowserTab &tab, const QString &region);

    Deps m_d;
    WatchRules m_rules;
    TextVersions m_versions;
    QFileSystemWatcher m_fileWatcher;
    QTimer m_readAgain;
    QString m_readStamp;  // size and time of the file last read; empty: there was none
    QSet<QString> m_refusalsTold;
};

}  // namespace pelquin
