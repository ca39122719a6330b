#include "engine/engine_page.h"

#include "engine/link_catcher.h"

#include "core/page_text.h"
#include "engine/location_probe.h"
#include "engine/popup_window.h"
#include "engine/web_browser.h"
#include "platform/basic_error.h"
#include "platform/prompts.h"
#include "platform/startup_trace.h"

#include <QAuthenticator>
#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QGuiApplication>
#include <QTimer>
#include <QWebEngineView>

#include <memory>
#include <optional>

namespace pelquin {

namespace {

constexpr int kMaxShownText = 1000;

// Scheme, host and port: what a site's permission answers are kept for.
PageDialog dialogFor(PageDialog::Kind kind, const QUrl &origin, const QString &text,
                     const QString &value = QString())
{
    return PageDialog{kind, origin.host(), text, value, EnginePage::originOf(origin)};
}

QString dialogTitle(const QUrl &origin)
{
    const QString host = origin.host();
    return host.isEmpty() ? QStringLiteral("Pelquin") : QStringLiteral("Page at %1").arg(host);
}

// What the engine asks when a page's "beforeunload" handler wants the user to stay.
bool isLeavePageText(const QString &text)
{
    return text == QCoreApplication::translate(
                       "QWebEnginePage", "Are you sure you want to leave this page? Changes "
                                         "that you made may not be saved.");
}

QString permissionText(QWebEnginePage::Feature feature)
{
    switch (feature) {
    case QWebEnginePage::Notifications:
        return QStringLiteral("show notifications");
    case QWebEnginePage::Geolocation:
        return QStringLiteral("know your location");
    case QWebEnginePage::MediaAudioCapture:
        return QStringLiteral("use your microphone");
    case QWebEnginePage::MediaVideoCapture:
        return QStringLiteral("use your camera");
    case QWebEnginePage::MediaAudioVideoCapture:
        return QStringLiteral("use your camera and microphone");
    case QWebEnginePage::MouseLock:
        return QStringLiteral("hide and lock your mouse pointer");
    case QWebEnginePage::DesktopVideoCapture:
        return QStringLiteral("see your screen");
    case QWebEnginePage::DesktopAudioVideoCapture:
        return QStringLiteral("see your screen and hear its sound");
    }
    return QStringLiteral("use a feature of your computer");
}

}  // namespace

void reportShielded(const char *where, const std::exception_ptr &error) noexcept
{
    try {
        std::rethrow_exception(error);
    } catch (const BasicError &e) {
        qWarning("%s: run-time error %d: %s", where, e.number(), qUtf8Printable(e.description()));
    } catch (const std::exception &e) {
        qWarning("%s: %s", where, e.what());
    } catch (...) {
        qWarning("%s: unknown exception", where);
    }
}

EnginePage::EnginePage(QWebEngineProfile &profile, Prompts &prompts, QObject *parent)
    : QWebEnginePage(&profile, parent), m_prompts(prompts)
{
    connect(this, &QWebEnginePage::authenticationRequired, this,
            [this](const QUrl &url, QAuthenticator *auth) {
                shielded("login", [&] { onAuthentication(url, auth, QString()); });
            });
    connect(this, &QWebEnginePage::proxyAuthenticationRequired, this,
            [this](const QUrl &url, QAuthenticator *auth, const QString &proxy) {
                shielded("proxy login", [&] { onAuthentication(url, auth, proxy); });
            });
    connect(this, &QWebEnginePage::featurePermissionRequested, this,
            [this](const QUrl &origin, Feature feature) {
                shielded("permission", [&] { onPermission(origin, feature); });
            });
}

QString EnginePage::actionHost()
{
    return QStringLiteral("pelquin-action.invalid");
}

QString EnginePage::originOf(const QUrl &url)
{
    const int defaultPort = url.scheme() == QStringLiteral("https") ? 443 : 80;
    return QStringLiteral("%1://%2:%3").arg(url.scheme(), url.host()).arg(url.port(defaultPort));
}

void EnginePage::setTypedLogin(const QUrl &url)
{
    setOneTimeLogin(false, originOf(url), url.userName(), url.password());
}

void EnginePage::setOneTimeLogin(bool proxy, const QString &where, const QString &user,
                                 const QString &password)
{
    m_login = OneTimeLogin{proxy, where, user, password};
}

bool EnginePage::acceptNavigationRequest(const QUrl &url, NavigationType, bool isMainFrame)
{
    if (url.host() == actionHost()) {
        if (isMainFrame && onOwnAction)
            QTimer::singleShot(0, this, [this, url] {
                shielded("own page", [&] { onOwnAction(url); });
            });
        return false;
    }
    // A shortcut clicked in a folder listing opens its address instead.
    if (const QUrl target = openedUrl(url, records); isMainFrame && target != url) {
        QTimer::singleShot(0, this, [this, target] { load(target); });
        return false;
    }
    traceStartup("the engine's first navigation");
    if (onNavigationRequest && !(quietNavigation && isMainFrame))
        shielded("navigation", [&] { onNavigationRequest(url, isMainFrame); });
    return true;
}

QWebEnginePage *EnginePage::createWindow(WebWindowType type)
{
    // A link the user opens in a tab of its own, not a window the page asks for.
    const bool ctrlHeld = QGuiApplication::keyboardModifiers() & Qt::ControlModifier;
    if (onNewTab && (type == WebBrowserBackgroundTab || (type == WebBrowserTab && ctrlHeld))) {
        const bool select = type == WebBrowserTab;
        return new LinkCatcher(
            *profile(), [this, select](const QUrl &url) { onNewTab(url, select); }, this);
    }
    bool allowed = true;
    if (onNewWindow)
        shielded("new window", [&] { allowed = onNewWindow(); });
    if (!allowed)
        return nullptr;
    auto *window = new PopupWindow(*profile(), m_prompts, records);
    window->show();
    return window->page();
}

std::optional<PageDialogReply> EnginePage::ask(const PageDialog &dialog)
{
    struct Wait {
        bool done = false;
        PageDialogReply reply;
        QEventLoop *loop = nullptr;
    };
    auto wait = std::make_shared<Wait>();
    const PageDialogAnswer answer = [wait](const PageDialogReply &reply) {
        if (wait->done)
            return;
        wait->done = true;
        wait->reply = reply;
        if (wait->loop)
            wait->loop->quit();
    };
    bool taken = false;
    if (onDialog)
        shielded("page dialog", [&] { taken = onDialog(dialog, answer); });
    if (!taken)
        return std::nullopt;
    if (!wait->done) {
        // The page waits; the window, its other tabs and their timers go on.
        QEventLoop loop;
        wait->loop = &loop;
        loop.exec();
        wait->loop = nullptr;
    }
    return wait->reply;
}

void EnginePage::javaScriptAlert(const QUrl &origin, const QString &text)
{
    if (!ask(dialogFor(PageDialog::Kind::Alert, origin, text)))
        showMessage(origin, text);
}

bool EnginePage::javaScriptConfirm(const QUrl &origin, const QString &text)
{
    const auto kind = isLeavePageText(text) ? PageDialog::Kind::LeavePage
                                            : PageDialog::Kind::Confirm;
    if (const auto reply = ask(dialogFor(kind, origin, text)))
        return reply->accepted;
    const int result = showBox(QMessageBox::Question, origin, text,
                               QMessageBox::Ok | QMessageBox::Cancel);
    // A message box returns its button; a form answered in code, Accepted.
    return result == QMessageBox::Ok || result == QDialog::Accepted;
}

bool EnginePage::javaScriptPrompt(const QUrl &origin, const QString &text,
                                  const QString &value, QString *result)
{
    if (const auto reply = ask(dialogFor(PageDialog::Kind::Prompt, origin, text, value))) {
        if (reply->accepted)
            *result = reply->text;
        return reply->accepted;
    }
    QInputDialog dialog(QWebEngineView::forPage(this));
    dialog.setWindowTitle(dialogTitle(origin));
    dialog.setLabelText(wrappablePageText(text, kMaxShownText));
    if (auto *label = dialog.findChild<QLabel *>())
        label->setTextFormat(Qt::PlainText);  // the page's words, never its markup
    dialog.setTextValue(value);
    dialog.setWindowModality(Qt::WindowModal);
    int code = QDialog::Rejected;
    shielded("prompt", [&] { code = m_prompts.showModal(dialog); });
    if (code != QDialog::Accepted)
        return false;
    *result = dialog.textValue();
    return true;
}

void EnginePage::javaScriptConsoleMessage(JavaScriptConsoleMessageLevel level,
                                          const QString &message, int line,
                                          const QString &source)
{
    if (onConsoleLine && onConsoleLine(message))
        return;
    QWebEnginePage::javaScriptConsoleMessage(level, message, line, source);
}

QStringList EnginePage::chooseFiles(FileSelectionMode, const QStringList &, const QStringList &)
{
    // Starts in the home folder, never the working folder; the page learns only the one
    // file the user picks.
    FileRequest request;
    request.title = QStringLiteral("Choose a File to Upload");
    request.folder = QDir::homePath();
    request.filter = QStringLiteral("All Files (*)");
    QString path;
    shielded("upload", [&] { path = m_prompts.openFileName(request); });
    return path.isEmpty() ? QStringList() : QStringList{path};
}

void EnginePage::showMessage(const QUrl &origin, const QString &text)
{
    // Shown without waiting: the engine goes on for every page while it is open.
    auto *box = new QMessageBox(QMessageBox::Information, dialogTitle(origin),
                                wrappablePageText(text, kMaxShownText), QMessageBox::Ok,
                                QWebEngineView::forPage(this));
    box->setTextFormat(Qt::PlainText);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::NonModal);
    box->show();
}

int EnginePage::showBox(int icon, const QUrl &origin, const QString &text, int buttons)
{
    QMessageBox box(QMessageBox::Icon(icon), dialogTitle(origin),
                    wrappablePageText(text, kMaxShownText),
                    QMessageBox::StandardButtons(buttons), QWebEngineView::forPage(this));
    box.setTextFormat(Qt::PlainText);
    box.setWindowModality(Qt::WindowModal);
    int result = QDialog::Rejected;
    shielded("script dialog", [&] { result = m_prompts.showModal(box); });
    return result;
}

void EnginePage::onAuthentication(const QUrl &url, QAuthenticator *auth, const QString &proxy)
{
    // A login typed into the address, or given after the tab had to cancel one, serves the
    // origin it was given for once (another port is another site); a wrong one asks as
    // usual, never again with the same answer.
    const QString host = proxy.isEmpty() ? url.host() : proxy;
    const QString where = proxy.isEmpty() ? originOf(url) : proxy;
    if (!m_login.where.isEmpty() && m_login.proxy == !proxy.isEmpty() && where == m_login.where) {
        auth->setUser(m_login.user);
        auth->setPassword(m_login.password);
        m_login = OneTimeLogin{};
        return;
    }
    PageDialog dialog = dialogFor(proxy.isEmpty() ? PageDialog::Kind::Login
                                                  : PageDialog::Kind::ProxyLogin,
                                  url, auth->realm());
    dialog.site = host;
    const QPointer<EnginePage> alive(this);
    const PageDialogReply reply = ask(dialog).value_or(PageDialogReply{});
    if (!alive)
        return;
    if (reply.accepted && !reply.text.isEmpty()) {
        auth->setUser(reply.text);
        auth->setPassword(reply.password);
    } else {
        // A null authenticator cancels: the server's own page shows.
        *auth = QAuthenticator();
    }
}

void EnginePage::onPermission(const QUrl &origin, Feature feature)
{
    if (feature != Geolocation)
        return askPermission(origin, feature);
    // Allowed without a source of positions, the page would wait for one for ever: it is
    // told at once that it may not know, and nobody is asked a question that cannot help.
    const QPointer<EnginePage> page(this);
    whenLocationKnown(this, [page, origin](bool available) {
        if (!page)
            return;
        if (available)
            page->askPermission(origin, Geolocation);
        else
            page->setFeaturePermission(origin, Geolocation, PermissionDeniedByUser);
    });
}

void EnginePage::askPermission(const QUrl &origin, Feature feature)
{
    const PageDialog dialog = dialogFor(PageDialog::Kind::Permission, origin,
                                        permissionText(feature));
    const QPointer<EnginePage> page(this);
    const PageDialogAnswer answer = [page, origin, feature](const PageDialogReply &reply) {
        if (page)
            page->setFeaturePermission(origin, feature,
                                       reply.accepted ? PermissionGrantedByUser
                                                      : PermissionDeniedByUser);
    };
    bool taken = false;
    if (onDialog)
        shielded("permission", [&] { taken = onDialog(dialog, answer); });
    if (!taken)
        answer(PageDialogReply{});
}

}  // namespace pelquin
