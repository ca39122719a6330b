#include "watch/tab_watching.h"

#include "platform/clock.h"
#include "platform/desktop_notifier.h"
#include "platform/prompts.h"
#include "tabs/browser_tab.h"
#include "tabs/tab_collection.h"
#include "tabs/tab_strip.h"
#include "watch/active_hours.h"
#include "watch/attention_order.h"
#include "watch/change_marks.h"
#include "watch/crash_recovery.h"
#include "watch/part_picking.h"
#include "watch/tab_health_watch.h"
#include "watch/tab_rotation.h"
#include "watch/tab_wall.h"
#include "watch/watch_alerts.h"
#include "watch/watch_rule.h"
#include "watch/watch_settings_dialog.h"
#include "watch/watched_pages.h"
#include "watch/what_changed_view.h"

#include <QApplication>
#include <QEvent>
#include <QPointer>

#include <algorithm>
#include <functional>

namespace pelquin {

namespace {

// Where What Changed starts: at the version the user last saw (`seen`, null when they saw
// none of this page), put back among the versions when a large page's few kept ones no
// longer hold it; else at the one before the last.
int firstShownVersion(QList<TextVersion> &kept, const SeenWords *seen,
                      const std::function<QByteArray(const QString &)> &digestOf)
{
    if (!seen)
        return qMax(0, int(kept.size()) - 2);
    for (int i = int(kept.size()) - 1; i >= 0; --i)
        if (digestOf(kept[i].text) == seen->digest)
            return i;
    const auto later = std::upper_bound(
        kept.begin(), kept.end(), seen->time,
        [](const QDateTime &time, const TextVersion &version) { return time < version.time; });
    const int at = int(later - kept.begin());
    kept.insert(at, TextVersion{seen->time, seen->text});
    return at;
}

}  // namespace

TabWatching::TabWatching(Deps deps, QObject *parent)
    : QObject(parent), m_d(std::move(deps)),
      m_pages(new WatchedPages({m_d.controls.tabs, m_d.appFolder, m_d.privateRun,
                                [this](const QStringList &problems) {
                                    showRuleProblems(problems);
                                }},
                               this)),
      m_marks(new ChangeMarks(m_d.controls.tabs, m_d.controls.tabStrip, *m_pages, m_d.clock,
                              this)),
      m_wall(new TabWall(m_d.controls.tabs, m_d.controls.tabStrip, m_d.clock,
                         &m_d.window)),
      m_rotation(new TabRotation(m_d.controls, m_d.clock,
                                 [this](const BrowserTab &tab) {
                                     const WatchRule *rule = m_pages->ruleFor(tab);
                                     return rule && rule->showSeconds ? int(*rule->showSeconds)
                                                                      : 0;
                                 },
                                 this)),
      m_crashRecovery(new CrashRecovery(
          m_d.controls, m_d.clock, [this](const BrowserTab &tab) { return unattended(tab); },
          this)),
      m_health(new TabHealthWatch({m_d.controls.tabs, *m_pages, m_d.clock,
                                   [this](BrowserTab &tab, const QString &summary) {
                                       notifyAbout(tab, summary);
                                   }},
                                  this)),
      m_hours(new ActiveHours(m_d.controls.tabs, *m_pages, m_d.clock, this)),
      m_whatChanged(new WhatChangedView(&m_d.window)),
      m_picking(new PartPicking({m_d.controls, *m_pages, m_d.prompts, m_d.pageArea}, &m_d.window))
{
    m_wall->setArea(m_d.pageArea);
    m_whatChanged->setArea(m_d.pageArea);
    connect(m_wall, &TabWall::openChanged, m_whatChanged, [this](bool open) {
        if (open) {
            m_whatChanged->dismiss();
            m_picking->cancel();
        }
    });
    // Closed, the page shows again and the keys go back to it.
    connect(m_whatChanged, &WhatChangedView::closed, this,
            [this] { m_d.controls.tabStrip.select(m_d.controls.tabStrip.selected()); });
    connect(m_marks, &ChangeMarks::tabChanged, this, &TabWatching::tabChanged);
    connect(m_marks, &ChangeMarks::tabAlerted, this, &TabWatching::tabAlerted);
    for (BrowserTab &tab : m_d.controls.tabs) {
        connect(&tab, &BrowserTab::pageCompleted, m_wall,
                [this, &tab] { m_wall->pageCompleted(tab); });
    }
    m_rotation->addHold([this] {
        return m_wall->isOpen() || m_whatChanged->isOpen() || (m_d.busy && m_d.busy());
    });
    if (m_d.notifier) {
        connect(m_d.notifier, &DesktopNotifier::clicked, this, [this](int tab) {
            if (!m_d.controls.tabs.contains(tab) || tab > m_d.controls.tabStrip.count())
                return;
            m_d.controls.tabStrip.select(tab);
            if (m_d.bringToFront)
                m_d.bringToFront();
        });
    }
    qApp->installEventFilter(this);
}

TabWatching::~TabWatching()
{
    qApp->removeEventFilter(this);
    delete m_whatChanged;
    delete m_picking;
}

WhatChangedView &TabWatching::whatChanged() const { return *m_whatChanged; }

PartPicking &TabWatching::partPicking() const { return *m_picking; }

bool TabWatching::unattended(const BrowserTab &tab) const
{
    return tab.number() != m_d.controls.tabStrip.selected() || m_wall->isOpen() ||
           m_rotation->interval() > 0 || (m_d.expertMode && m_d.expertMode());
}

void TabWatching::applyOptions(const WatchOptions &options)
{
    m_options = options;
    m_rotation->setInterval(options.rotateSeconds);
}

void TabWatching::rotateEvery(int seconds)
{
    if (seconds > 0)
        m_rotation->setInterval(seconds);
}

void TabWatching::tabSelected()
{
    m_marks->selectionChanged();
    m_wall->dismiss();
    m_whatChanged->dismiss();
    const int selected = m_d.controls.tabStrip.selected();
    m_picking->tabSelected(selected);
    if (m_d.controls.tabs.contains(selected))
        m_wall->tabShown(m_d.controls.tabs.tab(selected));
}

void TabWatching::editWatchSettings()
{
    const int number = m_d.controls.tabStrip.selected();
    if (!m_d.prompts || !m_d.controls.tabs.contains(number))
        return;
    const QString address = m_d.controls.tabs.tab(number).state().currentUrl;
    if (address.isEmpty()) {
        m_d.controls.status.showForAMoment(QStringLiteral("This tab shows no page to watch"));
        return;
    }
    WatchRules &rules = m_pages->rules();
    const WatchRule *rule = rules.ruleFor(address);
    const QString ruleAddress = rule ? rule->address : address;
    const QJsonObject written = m_pages->writtenRuleFor(address);
    WatchSettingsDialog dialog(written, rule != nullptr,
                               [&rules, ruleAddress](const QJsonObject &changed) {
                                   const QStringList problems = rules.put(changed);
                                   // A new address is a rule of its own: the old one goes.
                                   if (problems.isEmpty() &&
                                       changed.value(QStringLiteral("address")).toString() !=
                                           ruleAddress)
                                       rules.remove(ruleAddress);
                                   return problems;
                               },
                               &m_d.window);
    if (m_d.prompts->showModal(dialog) != QDialog::Accepted)
        return;
    if (dialog.stopWatching())
        rules.remove(ruleAddress);
    const QString unsaved = m_pages->rulesEdited();
    if (!unsaved.isEmpty())
        m_d.prompts->message(QStringLiteral("Watch.json"), unsaved);
}

void TabWatching::toggleWhatChanged()
{
    if (m_whatChanged->isOpen()) {
        m_whatChanged->close();
        return;
    }
    const int number = m_d.controls.tabStrip.selected();
    if (!m_d.controls.tabs.contains(number))
        return;
    BrowserTab &tab = m_d.controls.tabs.tab(number);
    const QString address = tab.state().currentUrl;
    const QPointer<TabWatching> alive(this);
    auto show = [alive, &tab, address](const QString &now) {
        if (!alive || tab.state().currentUrl != address)
            return;
        // Now is kept as a version only when it differs by more than the rule ignores, and
        // is shown all the same.
        const QDateTime time = alive->m_d.clock.now();
        alive->m_pages->keepVersion(tab, address, now, time);
        QList<TextVersion> kept = alive->m_pages->versions().versions(address);
        if (kept.isEmpty() || kept.back().text != now)
            kept.append(TextVersion{time, now});
        const SeenWords &seen = tab.seenWords();
        const bool seenHere = seen.known && seen.address == address && !seen.text.isNull();
        const int from = firstShownVersion(kept, seenHere ? &seen : nullptr,
                                           [&](const QString &text) {
                                               return alive->m_pages->digestOf(tab, text);
                                           });
        alive->m_wall->dismiss();
        alive->m_whatChanged->open(tab.number(), kept, from);
    };
    m_pages->read(tab, WatchedPages::Reading::AsShown, std::move(show));
}

void TabWatching::goToNextChangedTab()
{
    TabStrip &strip = m_d.controls.tabStrip;
    TabCollection &tabs = m_d.controls.tabs;
    std::vector<TabAttention> wants;
    for (int number = 1; number <= qMin(strip.count(), tabs.count()); ++number)
        wants.push_back({tabs.tab(number).alerted(), tabs.tab(number).changed(),
                         tabs.tab(number).health() != TabHealth::Fine});
    const int number = nextTabForAttention(wants, strip.selected());
    const BrowserTab *next = number > 0 ? &tabs.tab(number) : nullptr;
    if (!next) {
        m_d.controls.status.showForAMoment(
            QStringLiteral("No tab has changed since you last looked"));
        return;
    }
    m_wall->dismiss();
    QString why = next->look().alertStatus;
    if (why.isEmpty() && next->health() != TabHealth::Fine)
        why = QStringLiteral("Tab %1: %2").arg(next->number()).arg(next->healthLines().value(0));
    strip.select(next->number());
    if (!why.isEmpty())
        m_d.controls.status.showForAMoment(why);
}

void TabWatching::tabChanged(BrowserTab &tab)
{
    // An alert's notice says more than this one would.
    if (!m_options.notifyChanges || !m_d.notifier || tab.alerted())
        return;
    const QString caption = m_d.controls.tabStrip.caption(tab.number());
    m_d.notifier->notify(tab.number(), QStringLiteral("Tab %1 changed").arg(tab.number()),
                         caption.isEmpty() ? tab.state().currentUrl : caption);
}

void TabWatching::tabAlerted(BrowserTab &tab, const WatchAlert &alert)
{
    notifyAbout(tab, alert.notice(tab.number()));
}

void TabWatching::notifyAbout(BrowserTab &tab, const QString &summary)
{
    if (!m_options.notifyChanges || !m_d.notifier)
        return;
    const QString caption = tab.look().caption;
    m_d.notifier->notify(tab.number(), summary,
                         caption.isEmpty() ? tab.state().currentUrl : caption);
}

void TabWatching::showRuleProblems(const QStringList &problems)
{
    if (!m_ruleProblems) {
        m_ruleProblems = new QMessageBox(QMessageBox::Warning, QStringLiteral("Watch.json"),
                                         QString(), QMessageBox::Ok, &m_d.window);
        m_ruleProblems->setObjectName(QStringLiteral("watchRuleProblems"));
        m_ruleProblems->setAttribute(Qt::WA_DeleteOnClose);
        m_ruleProblems->setWindowModality(Qt::NonModal);
        m_ruleProblems->setTextFormat(Qt::PlainText);  // the file's words are shown as written
    }
    m_ruleProblems->setText(QStringLiteral("Pelquin watches the pages without the rules named "
                                           "here until Watch.json is mended:\n\n") +
                            problems.join(u'\n'));
    m_ruleProblems->show();
    m_ruleProblems->raise();
}

bool TabWatching::eventFilter(QObject *, QEvent *event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::MouseButtonPress:
    case QEvent::Wheel:
        // Only what the user did: events the program makes itself are not spontaneous.
        if (event->spontaneous())
            m_rotation->userActed();
        break;
    default:
        break;
    }
    return false;
}

}  // namespace pelquin
