#include "script/command_processor.h"

#include "platform/basic_text.h"
#include "platform/error_report.h"
#include "core/typed_address.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace pelquin {

namespace {

// "TRUE" or "FALSE", blanks around and letter case ignored; empty for any other value.
QString keyword(const QString &value)
{
    const QString k = trimBlanks(value).toUpper();
    return k == QStringLiteral("TRUE") || k == QStringLiteral("FALSE") ? k : QString();
}

// An index as the script wrote it, rounded to a whole number; none when the statement has
// no index. Rounded before any range check, so that 0.4 is tab 0 and never passes as tab 1.
std::optional<int> indexOf(const Statement &s)
{
    if (!s.ndx)
        return std::nullopt;
    return toInt16(strictNumber(*s.ndx));
}

float singleOf(const QString &value)
{
    const double v = strictNumber(value);
    if (std::abs(v) > std::numeric_limits<float>::max())
        throwError(err::Overflow);
    return static_cast<float>(v);
}

}  // namespace

CommandProcessor::CommandProcessor(ScriptableWindow &window, QString appFolder,
                                   ErrorReporter &errors)
    : m_window(window), m_appFolder(std::move(appFolder)), m_errors(errors)
{
}

void CommandProcessor::runStatements(const std::vector<Statement> &statements,
                                     const QString &pageAddress)
{
    m_pageAddress = pageAddress;
    Trap trap(m_errors, QStringLiteral(" At ProcessScript"),
              {err::ObjectNotSet, err::ElementNotFound});
    for (auto it = statements.rbegin(); it != statements.rend() && !trap.ended(); ++it)
        run(*it, trap);
}

void CommandProcessor::run(const Statement &s, Trap &trap)
{
    const QString cmp = trimBlanks(s.name).toUpper();
    const QString v = s.arg;
    if (cmp == QStringLiteral("BROWSER.NAVIGATE"))
        return navigate(s, trap);
    trap.step([&] {
        if (cmp == QStringLiteral("BUTTON.VISIBLE")) {
            const auto n = indexOf(s);
            const QString k = keyword(v);
            if (n && *n >= 1 && *n <= m_window.buttonCount() && !k.isEmpty())
                m_window.setButtonVisible(*n, k == QStringLiteral("TRUE"));
        } else if (cmp == QStringLiteral("BUTTONBAR.VISIBLE")) {
            barCommand(keyword(v), ScriptableWindow::Bar::Buttons);
        } else if (cmp == QStringLiteral("DROPDOWN.VISIBLE")) {
            barCommand(keyword(v), ScriptableWindow::Bar::Address);
        } else if (cmp == QStringLiteral("STATUSBAR.VISIBLE")) {
            barCommand(keyword(v), ScriptableWindow::Bar::Status);
        } else if (cmp == QStringLiteral("MENU.VISIBLE")) {
            const QString k = keyword(v);
            if (!k.isEmpty())
                m_window.setSpeedMenuAllowed(k != QStringLiteral("FALSE"));
        } else if (cmp == QStringLiteral("HOST.LEFT") || cmp == QStringLiteral("HOST.TOP") ||
                   cmp == QStringLiteral("HOST.WIDTH") || cmp == QStringLiteral("HOST.HEIGHT")) {
            setPlacement(cmp, v);
        } else if (cmp == QStringLiteral("HOST.RESIZABLE")) {
            const QString k = keyword(v);
            if (!k.isEmpty())
                m_window.setResizable(k == QStringLiteral("TRUE"));
        } else if (cmp == QStringLiteral("TABSTRIP.TABCAPTION")) {
            const auto n = indexOf(s);
            if (n && *n >= 1 && *n <= m_window.stripTabCount())
                m_window.setScriptCaption(*n, v);
        } else if (cmp == QStringLiteral("TABSTRIP.TABSELECT")) {
            const int tab = toInt16(strictNumber(v));
            if (tab >= 1 && tab <= m_window.stripTabCount())
                m_window.selectTab(tab);
        } else if (cmp == QStringLiteral("TABSTRIP.VISIBLE")) {
            const QString k = keyword(v);
            if (!k.isEmpty())
                m_window.setStripVisible(k == QStringLiteral("TRUE"));
        } else if (cmp == QStringLiteral("TABSTRIP.COUNT")) {
            setTabCount(v);
        }
    });
}

void CommandProcessor::navigate(const Statement &s, Trap &trap)
{
    std::optional<int> n;
    trap.step([&] { n = indexOf(s); });
    // Tabs 1 to 29: the last tab is never sent anywhere by a page.
    if (trap.ended() || !n || *n < 1 || *n >= m_window.pageCount())
        return;
    // Decided on the address exactly as the browser will load it, and loaded as decided.
    const QUrl target = typedAddressUrl(s.arg);
    if (!scriptMayOpen(m_pageAddress, target, m_appFolder))
        return;
    const int tab = *n;
    trap.step([&] { m_window.blankTab(tab); });
    trap.step([&] { m_window.loadInTab(tab, target); });
}

void CommandProcessor::barCommand(const QString &keyword, ScriptableWindow::Bar bar)
{
    const bool hidden = m_window.barHidden(bar);
    if ((keyword == QStringLiteral("TRUE") && hidden) ||
        (keyword == QStringLiteral("FALSE") && !hidden))
        m_window.toggleBar(bar);
}

void CommandProcessor::setPlacement(const QString &command, const QString &value)
{
    using Edge = ScriptableWindow::Edge;
    m_window.unMaximise();
    // Far beyond any screen either way; the window brings itself back within reach.
    const double twips = std::clamp<double>(singleOf(value), -1e9, 1e9);
    const Edge edge = command == QStringLiteral("HOST.LEFT")  ? Edge::Left
                      : command == QStringLiteral("HOST.TOP") ? Edge::Top
                      : command == QStringLiteral("HOST.WIDTH") ? Edge::Width
                                                                : Edge::Height;
    m_window.setFrame(edge, twips);
}

void CommandProcessor::setTabCount(const QString &value)
{
    // Every tab number must keep its page and address box: 1 to 30 tabs, also when the
    // value is not a number at all.
    double count = 1;
    try {
        count = std::clamp(strictNumber(value), 1.0, double(m_window.pageCount()));
    } catch (const BasicError &) {
        m_window.setStripTabCount(1);
        throw;
    }
    m_window.setStripTabCount(toInt16(count));
}

}  // namespace pelquin
