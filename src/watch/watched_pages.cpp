#include "watch/watched_pages.h"

#include "core/page_text.h"
#include "tabs/tab_collection.h"
#include "watch/watched_text.h"

#include <QDir>
#include <QFileInfo>
#include <QPointer>

#include <cstdio>

namespace pelquin {

namespace {

QString rulesPath(const QString &appFolder)
{
    return appFolder.isEmpty() ? QString() : QDir(appFolder).filePath(QStringLiteral("Watch.json"));
}

// Size and time of the file; empty when there is none.
QString fileStamp(const QString &path)
{
    const QFileInfo file(path);
    return file.exists() ? QStringLiteral("%1 %2").arg(file.size()).arg(
                               file.lastModified().toMSecsSinceEpoch())
                         : QString();
}

}  // namespace

WatchedPages::WatchedPages(Deps deps, QObject *parent)
    : QObject(parent), m_d(std::move(deps)), m_rules(rulesPath(m_d.appFolder), m_d.privateRun),
      m_versions(m_d.appFolder, m_d.privateRun || m_d.appFolder.isEmpty())
{
    m_readAgain.setSingleShot(true);
    m_readAgain.setInterval(kReadAgainMs);
    connect(&m_readAgain, &QTimer::timeout, this, &WatchedPages::onFolderChanged);
    // Saving often replaces the file: the folder tells of a new one, the file of a change.
    connect(&m_fileWatcher, &QFileSystemWatcher::fileChanged, &m_readAgain,
            qOverload<>(&QTimer::start));
    connect(&m_fileWatcher, &QFileSystemWatcher::directoryChanged, &m_readAgain,
            qOverload<>(&QTimer::start));
    for (BrowserTab &tab : m_d.tabs) {
        connect(&tab, &BrowserTab::loadStarted, this,
                [this, &tab](const QString &address) { giveRegion(tab, address); });
        connect(&tab, &BrowserTab::pageCompleted, this,
                [this, &tab](const QString &address) { giveRegion(tab, address); });
        connect(&tab, &BrowserTab::watchedPartRefused, this,
                [this, &tab](const QString &region) { regionRefused(tab, region); });
    }
    if (!m_d.appFolder.isEmpty())
        reload();
}

void WatchedPages::onFolderChanged()
{
    // Other files of the folder change often: only a change of this one is read.
    if (fileStamp(rulesPath(m_d.appFolder)) != m_readStamp)
        reload();
}

void WatchedPages::reload()
{
    m_readStamp = fileStamp(rulesPath(m_d.appFolder));
    m_rules.load();
    watchFile();
    applyRules();
    const QStringList &problems = m_rules.messages();
    for (const QString &problem : problems)
        std::fprintf(stderr, "pelquin: %s\n", qPrintable(problem));
    if (!problems.isEmpty() && m_d.showProblems)
        m_d.showProblems(problems);
}

void WatchedPages::applyRules()
{
    for (BrowserTab &tab : m_d.tabs)
        giveRegion(tab, tab.state().currentUrl);
    emit rulesApplied();
}

QString WatchedPages::rulesEdited()
{
    applyRules();
    const QString unsaved = m_rules.save();
    // Our own writing is no news to read again.
    m_readStamp = fileStamp(rulesPath(m_d.appFolder));
    watchFile();
    return unsaved;
}

void WatchedPages::watchFile()
{
    const QString path = rulesPath(m_d.appFolder);
    if (path.isEmpty())
        return;
    if (!m_fileWatcher.directories().contains(m_d.appFolder) && QFileInfo::exists(m_d.appFolder))
        m_fileWatcher.addPath(m_d.appFolder);
    // A file replaced by a new one is no longer watched: watch the new one.
    if (QFileInfo::exists(path) && !m_fileWatcher.files().contains(path))
        m_fileWatcher.addPath(path);
}

const WatchRule *WatchedPages::ruleFor(const BrowserTab &tab) const
{
    return m_rules.ruleFor(tab.state().currentUrl);
}

void WatchedPages::read(BrowserTab &tab, Reading reading,
                        std::function<void(const QString &)> done) const
{
    const QPointer<const WatchedPages> alive(this);
    auto filter = [alive, &tab, done = std::move(done)](const QString &text) {
        if (!alive)
            return;
        const WatchRule *rule = alive->ruleFor(tab);
        done(rule ? watchedText(text, *rule) : text);
    };
    // A completed page may still be filling in its words; what the user leaves is as seen.
    if (reading == Reading::Settled)
        tab.browser().readWatchedText(std::move(filter));
    else
        tab.browser().readWatchedTextNow(std::move(filter));
}

QByteArray WatchedPages::digestOf(const BrowserTab &tab, const QString &watched) const
{
    const WatchRule *rule = ruleFor(tab);
    return visibleTextDigest(rule ? comparisonForm(watched, *rule) : watched);
}

void WatchedPages::keepVersion(const BrowserTab &tab, const QString &address,
                               const QString &watched, const QDateTime &time)
{
    const QList<TextVersion> kept = m_versions.versions(address);
    if (!kept.isEmpty() && digestOf(tab, kept.back().text) == digestOf(tab, watched))
        return;
    m_versions.add(address, watched, time);
}

void WatchedPages::regionRefused(const BrowserTab &tab, const QString &region)
{
    const WatchRule *rule = ruleFor(tab);
    if (!rule || rule->region != region || !m_d.showProblems)
        return;
    const QString told = rule->address + u'\n' + region;
    if (m_refusalsTold.contains(told))
        return;
    m_refusalsTold.insert(told);
    const QString problem = QStringLiteral("Watch.json, rule %1: \"region\" \"%2\" is not a "
                                           "selector the page takes; the part reads as empty")
                                .arg(m_rules.numberOf(rule->address))
                                .arg(region.left(60));
    std::fprintf(stderr, "pelquin: %s\n", qPrintable(problem));
    m_d.showProblems({problem});
}

QJsonObject WatchedPages::writtenRuleFor(const QString &address) const
{
    if (const WatchRule *rule = m_rules.ruleFor(address))
        return m_rules.written(rule->address).value_or(QJsonObject());
    return QJsonObject{{QStringLiteral("address"), address}};
}

void WatchedPages::giveRegion(BrowserTab &tab, const QString &address)
{
    const WatchRule *rule = m_rules.ruleFor(address);
    tab.browser().watchText(rule ? rule->region : QString());
    tab.browser().setWatchRuleApplies(rule != nullptr);
}

}  // namespace pelquin
