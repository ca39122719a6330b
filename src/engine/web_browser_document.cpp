#include "engine/web_browser.h"

#include "engine/address_check.h"
#include "engine/engine_page.h"
#include "engine/own_page_shower.h"
#include "engine/page_script_resource.h"
#include "engine/page_text_watcher.h"
#include "engine/settled_text.h"

#include "platform/basic_error.h"


#include <csignal>
#include <memory>
#include <sys/types.h>
#include <QRegularExpression>
#include <QTimer>
#include <QWebEngineFindTextResult>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>

namespace pelquin {

namespace {

}  // namespace

void WebEngineBrowser::addPageTracker()
{
    QWebEngineScript tracker;
    tracker.setName(QStringLiteral("pelquin-page-tracker"));
    tracker.setSourceCode(pageScriptResource(QStringLiteral("page_tracker.js")));
    tracker.setInjectionPoint(QWebEngineScript::DocumentCreation);
    tracker.setWorldId(QWebEngineScript::ApplicationWorld);
    tracker.setRunsOnSubFrames(true);  // words typed in a frame count too
    m_page->scripts().insert(tracker);
}

void WebEngineBrowser::blankDocument()
{
    if (!hasDocument())
        throwError(err::ObjectNotSet);
    page().runJavaScript(QStringLiteral("document.open();document.write('<HTML></HTML>');"
                                        "document.close();"),
                         QWebEngineScript::MainWorld);
}

QString WebEngineBrowser::bodyMarkupScript(const QString &word)
{
    // The body's inner markup as the page script reads it: element names in upper case,
    // attribute values unquoted unless empty or holding a blank, quote, "=", "<", ">" or
    // backtick, script and style text exactly as in the page, other text escaped.
    // With a word of letters, the engine's own serialisation is searched first: escaping
    // never touches letters, so a word missing there is missing from ours too.
    static const QRegularExpression letters(QStringLiteral("^[A-Za-z]+$"));
    const QString needle = letters.match(word).hasMatch() ? word.toLower() : QString();
    static const QString script = pageScriptResource(QStringLiteral("body_markup.js"));
    return script.arg(needle);
}

void WebEngineBrowser::checkTypedText(std::function<void(bool typed)> done)
{
    static const QString script = pageScriptResource(QStringLiteral("typed_text.js"));
    auto deliver = [alive = m_alive, done = std::move(done)](const QVariant &typed) {
        if (*alive)
            shielded("typed text", [&] { done(typed.toBool()); });
    };
    if (!hasDocument())
        return deliver(QVariant(false));
    // In a world of its own: the page can neither see nor fake the question.
    page().runJavaScript(script, QWebEngineScript::ApplicationWorld, deliver);
}

void WebEngineBrowser::readVisibleText(std::function<void(const QString &)> done)
{
    auto deliver = [alive = m_alive, done = std::move(done)](const QString &text) {
        if (*alive)
            shielded("visible text", [&] { done(text); });
    };
    if (!hasDocument()) {
        QTimer::singleShot(0, this, [deliver] { deliver(QString()); });
        return;
    }
    // The engine's own text of the page: what is laid out, without markup or scripts.
    page().toPlainText(deliver);
}

void WebEngineBrowser::askQuietTime(std::function<void(double quietMs)> done)
{
    auto deliver = [alive = m_alive, done = std::move(done)](const QVariant &quiet) {
        if (*alive)
            shielded("settling", [&] { done(quiet.isValid() ? quiet.toDouble() : 1e9); });
    };
    if (!hasDocument()) {
        QTimer::singleShot(0, this, [deliver] { deliver(QVariant()); });
        return;
    }
    // Kept by the page tracker in the script world of its own.
    page().runJavaScript(QStringLiteral("window.__pelquinChangedAt === undefined ? null : "
                                        "performance.now() - window.__pelquinChangedAt"),
                         QWebEngineScript::ApplicationWorld, deliver);
}

void WebEngineBrowser::readSettledText(std::function<void(const QString &)> done)
{
    m_settledText->read(std::move(done));
}

void WebEngineBrowser::watchText(const QString &region)
{
    m_textWatcher->setRegion(region);
}

void WebEngineBrowser::readWatchedText(std::function<void(const QString &)> done)
{
    if (m_textWatcher->region().isEmpty())
        m_settledText->read(std::move(done));
    else
        m_settledPart->read(std::move(done));
}

void WebEngineBrowser::readWatchedTextNow(std::function<void(const QString &)> done)
{
    if (m_textWatcher->region().isEmpty())
        readVisibleText(std::move(done));
    else
        readWatchedPart(std::move(done));
}

void WebEngineBrowser::pickPart(PickStep step,
                                std::function<void(const QString &, const QString &)> done)
{
    if (!hasDocument())
        return done(QString(), QString());
    const QString action = step == PickStep::Start   ? QStringLiteral("start")
                           : step == PickStep::Wider ? QStringLiteral("wider")
                                                     : QStringLiteral("narrower");
    // The page counts in CSS pixels: the view's, divided by the zoom.
    const double zoom = page().zoomFactor() > 0 ? page().zoomFactor() : 1.0;
    m_textWatcher->pick(action, QPointF(m_pickAt) / zoom,
                        [alive = m_alive, done = std::move(done)](const QString &selector,
                                                                  const QString &text) {
                            if (*alive)
                                shielded("part picking", [&] { done(selector, text); });
                        });
}

void WebEngineBrowser::highlightAdded(const QStringList &phrases)
{
    // Long enough to be seen on a wall across the room, short enough not to stay in the way.
    constexpr int kShownMs = 4000;
    if (hasDocument() && !phrases.isEmpty())
        m_textWatcher->highlight(phrases, kShownMs);
}

void WebEngineBrowser::probeAnswer(int timeoutMs, std::function<void(bool)> done)
{
    if (!hasDocument())
        return done(true);
    // Whichever comes first, the page's answer or the time limit, is the one told.
    auto answer = std::make_shared<std::function<void(bool)>>(std::move(done));
    auto tell = [alive = m_alive, answer](bool answered) {
        if (*alive && *answer)
            shielded("page probe", [&] { std::exchange(*answer, nullptr)(answered); });
    };
    QTimer::singleShot(timeoutMs, this, [tell] { tell(false); });
    page().runJavaScript(QStringLiteral("1"), QWebEngineScript::ApplicationWorld,
                         [tell](const QVariant &) { tell(true); });
}

void WebEngineBrowser::checkAddressAnswers(int timeoutMs,
                                           std::function<void(const AddressAnswer &)> done)
{
    const QString scheme = m_page ? m_page->url().scheme() : QString();
    const bool web = scheme == QStringLiteral("http") || scheme == QStringLiteral("https");
    // Nothing worth keeping, or nothing the page itself could ask: the reload goes ahead.
    if (!web || m_busy || m_showsErrorPage || !m_ownPage->standsFor().isEmpty())
        return done({});
    m_addressCheck->run(timeoutMs, m_showsClientError, std::move(done));
}

void WebEngineBrowser::checkPasswordField(std::function<void(bool)> done)
{
    if (!hasDocument())
        return done(false);
    // Only a field the user can see: many pages keep a hidden login form for later.
    page().runJavaScript(
        QStringLiteral("Array.from(document.querySelectorAll('input[type=password]'))"
                       ".some(field => field.getClientRects().length > 0)"),
        QWebEngineScript::ApplicationWorld,
        [alive = m_alive, done = std::move(done)](const QVariant &shown) {
            if (*alive)
                shielded("password field", [&] { done(shown.toBool()); });
        });
}

void WebEngineBrowser::setFrozen(bool frozen)
{
    m_frozen = frozen;
    applyLifecycle();
}

void WebEngineBrowser::applyLifecycle()
{
    if (!m_page)
        return;
    // The engine freezes only a page out of sight; shown, it must run.
    const auto wanted = m_frozen && !m_page->isVisible() ? QWebEnginePage::LifecycleState::Frozen
                                                         : QWebEnginePage::LifecycleState::Active;
    if (m_page->lifecycleState() != wanted)
        m_page->setLifecycleState(wanted);
}

void WebEngineBrowser::endHungPage()
{
    // Only our own child, the engine's process for this page, and only when it is stuck.
    const qint64 pid = m_page ? m_page->renderProcessPid() : 0;
    if (pid > 0)
        ::kill(pid_t(pid), SIGKILL);
}

void WebEngineBrowser::noteOnStoppedPage(const QString &note)
{
    m_ownPage->noteOnStoppedPage(note);
}

void WebEngineBrowser::endPicking()
{
    if (hasDocument())
        m_textWatcher->pick(QStringLiteral("end"), QPointF(), nullptr);
}

void WebEngineBrowser::readWatchedPart(std::function<void(const QString &)> done)
{
    auto deliver = [alive = m_alive, done = std::move(done)](const QString &text) {
        if (*alive)
            shielded("watched text", [&] { done(text); });
    };
    if (!hasDocument()) {
        QTimer::singleShot(0, this, [deliver] { deliver(QString()); });
        return;
    }
    m_textWatcher->read(std::move(deliver));
}

void WebEngineBrowser::readBodyMarkup(std::function<void(const QString &)> done)
{
    readBodyMarkupWith(QString(), std::move(done));
}

void WebEngineBrowser::readBodyMarkupWith(const QString &word,
                                          std::function<void(const QString &)> done)
{
    auto deliver = [alive = m_alive, done = std::move(done)](const QVariant &markup) {
        if (*alive)
            shielded("body markup", [&] { done(markup.toString()); });
    };
    if (!hasDocument()) {
        QTimer::singleShot(0, this, [deliver] { deliver(QVariant()); });
        return;
    }
    // The page's own world: a world of our own costs every page process half a megabyte,
    // and hides nothing worth hiding, since the page writes the markup we read anyway.
    page().runJavaScript(bodyMarkupScript(word), QWebEngineScript::MainWorld, deliver);
}

void WebEngineBrowser::findText(const QString &text, bool backward,
                                std::function<void(const FindResult &)> done)
{
    const QWebEnginePage::FindFlags flags =
        backward ? QWebEnginePage::FindBackward : QWebEnginePage::FindFlags();
    page().findText(text, flags,
                    [alive = m_alive, done = std::move(done)](const QWebEngineFindTextResult &r) {
                        if (*alive && done)
                            shielded("find", [&] {
                                done(FindResult{r.activeMatch(), r.numberOfMatches()});
                            });
                    });
}

}  // namespace pelquin
