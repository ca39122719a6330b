#include "engine/page_text_watcher.h"

#include "engine/page_script_resource.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonValue>
#include <QPointer>
#include <QRandomGenerator>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>

namespace pelquin {

namespace {

const QString kScriptName = QStringLiteral("pelquin-page-watcher");

// A string as a JavaScript literal.
QString quoted(const QString &text)
{
    const QByteArray array = QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact);
    return QString::fromUtf8(array.mid(1, array.size() - 2));
}

// A secret of this run: a page that cannot read it cannot fake the watcher's word.
QString runSecret()
{
    static const QString secret = [] {
        QString text = QStringLiteral("pelquin-watch-");
        for (int i = 0; i < 4; ++i)
            text += QString::number(QRandomGenerator::system()->generate64(), 36);
        return text;
    }();
    return secret;
}

}  // namespace

PageTextWatcher::PageTextWatcher(QWebEnginePage &page, QObject *parent)
    : QObject(parent), m_page(page), m_signal(runSecret())
{
    install();
}

void PageTextWatcher::install()
{
    static const QString source = pageScriptResource(QStringLiteral("page_watcher.js"));
    for (const QWebEngineScript &old : m_page.scripts().find(kScriptName))
        m_page.scripts().remove(old);
    QWebEngineScript watcher;
    watcher.setName(kScriptName);
    watcher.setSourceCode(source.arg(quoted(m_signal), quoted(m_region)));
    watcher.setInjectionPoint(QWebEngineScript::DocumentCreation);
    watcher.setWorldId(QWebEngineScript::ApplicationWorld);
    watcher.setRunsOnSubFrames(false);
    m_page.scripts().insert(watcher);
}

void PageTextWatcher::setRegion(const QString &region)
{
    if (region == m_region)
        return;
    m_region = region;
    install();
    m_page.runJavaScript(QStringLiteral("window.__pelquinWatch && "
                                        "window.__pelquinWatch.setRegion(%1)")
                             .arg(quoted(region)),
                         QWebEngineScript::ApplicationWorld);
}

void PageTextWatcher::read(std::function<void(const QString &)> done)
{
    const QPointer<PageTextWatcher> alive(this);
    const QString region = m_region;
    m_page.runJavaScript(QStringLiteral("window.__pelquinWatch ? "
                                        "window.__pelquinWatch.read(%1) : ''")
                             .arg(quoted(region)),
                         QWebEngineScript::ApplicationWorld,
                         [alive, region, done = std::move(done)](const QVariant &text) {
                             // null: the selector is not one the page takes.
                             if (!text.isValid() && alive)
                                 emit alive->regionRefused(region);
                             done(text.toString());
                         });
}

void PageTextWatcher::pick(const QString &action, QPointF point,
                           std::function<void(const QString &, const QString &)> done)
{
    static const QString picker = pageScriptResource(QStringLiteral("part_picker.js"));
    m_page.runJavaScript(picker + QStringLiteral("(%1, %2, %3)")
                                      .arg(quoted(action))
                                      .arg(point.x())
                                      .arg(point.y()),
                         QWebEngineScript::ApplicationWorld,
                         [done = std::move(done)](const QVariant &result) {
                             const QVariantMap part = result.toMap();
                             if (done)
                                 done(part.value(QStringLiteral("selector")).toString(),
                                      part.value(QStringLiteral("text")).toString());
                         });
}

void PageTextWatcher::highlight(const QStringList &phrases, int ms)
{
    static const QString marker = pageScriptResource(QStringLiteral("added_words.js"));
    const QByteArray list =
        QJsonDocument(QJsonArray::fromStringList(phrases)).toJson(QJsonDocument::Compact);
    m_page.runJavaScript(marker + QStringLiteral("(%1, %2)").arg(QString::fromUtf8(list)).arg(ms),
                         QWebEngineScript::ApplicationWorld);
}

bool PageTextWatcher::takeConsoleLine(const QString &line)
{
    if (line != m_signal)
        return false;
    emit textMoved();
    return true;
}

}  // namespace pelquin
