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
    // The tab's watched text as its page shows it now, its rule's ignored lines left out.
    void readNow(BrowserTab &tab, std::function<void(const QString &)> done) const;
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
    QString m_readStamp;
    QSet<QString> m_refusalsTold;  // size and time of the file last read; empty: there was none
};

}  // namespace pelquin
