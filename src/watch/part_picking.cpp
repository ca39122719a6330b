#include "watch/part_picking.h"

#include "platform/prompts.h"
#include "tabs/tab_collection.h"
#include "watch/watched_pages.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

namespace pelquin {

namespace {

QPushButton *addButton(QWidget &bar, QHBoxLayout &layout, const QString &text, const char *name)
{
    auto *button = new QPushButton(text, &bar);
    button->setObjectName(QLatin1String(name));
    layout.addWidget(button);
    return button;
}

}  // namespace

PartPicking::PartPicking(Deps deps, QWidget *window)
    : QFrame(window), m_d(std::move(deps)), m_label(new QLabel(this))
{
    setObjectName(QStringLiteral("watchPartBar"));
    setAccessibleName(QStringLiteral("Watch this part of the page"));
    setFrameShape(QFrame::StyledPanel);
    setAutoFillBackground(true);
    m_label->setTextFormat(Qt::PlainText);  // the page's words, never markup
    m_label->setObjectName(QStringLiteral("watchPartText"));
    auto *layout = new QHBoxLayout(this);
    layout->addWidget(m_label, 1);
    connect(addButton(*this, *layout, QStringLiteral("&Wider"), "widerButton"),
            &QPushButton::clicked, this, &PartPicking::wider);
    connect(addButton(*this, *layout, QStringLiteral("&Narrower"), "narrowerButton"),
            &QPushButton::clicked, this, &PartPicking::narrower);
    connect(addButton(*this, *layout, QStringLiteral("Wa&tch"), "watchButton"),
            &QPushButton::clicked, this, &PartPicking::watch);
    connect(addButton(*this, *layout, QStringLiteral("Cancel"), "cancelButton"),
            &QPushButton::clicked, this, &PartPicking::cancel);
    for (BrowserTab &tab : m_d.controls.tabs) {
        connect(&tab, &BrowserTab::watchPartAsked, this, [this, &tab] { start(tab); });
        connect(&tab, &BrowserTab::stopWatchingAsked, this, [this, &tab] { stopWatching(tab); });
        // Another page is no place for the part picked on this one.
        connect(&tab, &BrowserTab::loadStarted, this, [this, &tab] {
            if (m_tab == &tab)
                cancel();
        });
    }
    hide();
}

void PartPicking::start(BrowserTab &tab)
{
    if (m_tab && m_tab != &tab)
        cancel();
    m_tab = &tab;
    step(PickStep::Start);
}

void PartPicking::wider() { step(PickStep::Wider); }

void PartPicking::narrower() { step(PickStep::Narrower); }

void PartPicking::step(PickStep step)
{
    if (!m_tab)
        return;
    const QPointer<PartPicking> alive(this);
    const QPointer<BrowserTab> tab = m_tab;
    m_tab->browser().pickPart(step, [alive, tab](const QString &selector, const QString &text) {
        if (alive && tab && alive->m_tab == tab)
            alive->showPart(selector, text);
    });
}

void PartPicking::showPart(const QString &selector, const QString &text)
{
    if (selector.isEmpty()) {
        m_d.controls.status.showForAMoment(QStringLiteral("There are no words there to watch"));
        cancel();
        return;
    }
    m_selector = selector;
    const QString words = text.simplified();
    m_label->setText(QStringLiteral("Watch this part? %1 (%2)")
                         .arg(words.size() > 120 ? words.left(120) + QStringLiteral("...") : words,
                              selector));
    const QRect area = m_d.pageArea ? m_d.pageArea() : parentWidget()->rect();
    setGeometry(area.left(), area.top(), area.width(), sizeHint().height());
    QFrame::show();
    raise();
}

QString PartPicking::shownText() const { return m_label->text(); }

void PartPicking::watch()
{
    if (!m_tab || m_selector.isEmpty())
        return;
    const QString address = m_tab->state().currentUrl;
    QJsonObject written = m_d.pages.writtenRuleFor(address);
    written.insert(QStringLiteral("region"), m_selector);
    const QStringList problems = m_d.pages.rules().put(written);
    const int number = m_tab->number();
    cancel();
    if (!problems.isEmpty()) {
        if (m_d.prompts)
            m_d.prompts->message(QStringLiteral("Watch.json"), problems.join(u'\n'));
        return;
    }
    saveRules();
    m_d.controls.status.showForAMoment(
        QStringLiteral("Tab %1: watching the part you chose").arg(number));
}

void PartPicking::cancel()
{
    if (m_tab)
        m_tab->browser().endPicking();
    m_tab = nullptr;
    m_selector.clear();
    hide();
}

void PartPicking::tabSelected(int selected)
{
    if (m_tab && m_tab->number() != selected)
        cancel();
}

void PartPicking::stopWatching(BrowserTab &tab)
{
    WatchRules &rules = m_d.pages.rules();
    const WatchRule *rule = rules.ruleFor(tab.state().currentUrl);
    if (!rule)
        return;
    rules.remove(QString(rule->address));
    saveRules();
    m_d.controls.status.showForAMoment(
        QStringLiteral("Tab %1: its page is no longer watched by a rule").arg(tab.number()));
}

void PartPicking::saveRules()
{
    const QString unsaved = m_d.pages.rulesEdited();
    if (!unsaved.isEmpty() && m_d.prompts)
        m_d.prompts->message(QStringLiteral("Watch.json"), unsaved);
}

}  // namespace pelquin
