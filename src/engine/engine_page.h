#pragma once

#include "core/browser_control.h"

#include <QUrl>
#include <QWebEnginePage>

#include <functional>
#include <optional>

class QAuthenticator;

namespace pelquin {

class Prompts;

// The engine's page with the hooks a browser control needs. What the page asks the user
// (script dialogs, logins, permissions) goes to `onDialog` when that takes it; otherwise
// (a pop-up window) an alert shows without waiting, a question is modal to its own window,
// logins are refused and permissions denied.
class EnginePage final : public QWebEnginePage {
    Q_OBJECT
public:
    EnginePage(QWebEngineProfile &profile, Prompts &prompts, QObject *parent);

    std::function<void(const QUrl &, bool)> onNavigationRequest;
    // False refuses the new window.
    std::function<bool()> onNewWindow;
    // The user opens a link in a new tab (middle click, Ctrl+click; `select` with Shift).
    std::function<void(const QUrl &, bool select)> onNewTab;
    // False when nobody takes the dialog; `answer` may be called later.
    std::function<bool(const PageDialog &, const PageDialogAnswer &)> onDialog;
    // A click on a button of a page of our own (`url` on the action host).
    std::function<void(const QUrl &)> onOwnAction;
    // A line a script wrote to the console; true when it was the program's own word.
    std::function<bool(const QString &)> onConsoleLine;
    // Navigations the page should not report, such as showing a page of our own.
    bool quietNavigation = false;
    const BrowsingRecords *records = nullptr;

    // The host our own pages' buttons point at; nothing is ever loaded from it.
    static QString actionHost();
    // Asks through `onDialog` and, when it is not answered at once, waits for the answer:
    // the engine stands still for every page meanwhile. Nothing when nobody takes it.
    std::optional<PageDialogReply> ask(const PageDialog &dialog);

    // A name and password typed into an address, used once for that address's origin.
    void setTypedLogin(const QUrl &url);
    // A name and password for the next login that `where` asks for, once: a site's origin
    // (scheme, host and port), or a proxy's host when `proxy`.
    void setOneTimeLogin(bool proxy, const QString &where, const QString &user,
                         const QString &password);
    // Scheme, host and port: what an answer given for a site is kept for.
    static QString originOf(const QUrl &url);

protected:
    bool acceptNavigationRequest(const QUrl &url, NavigationType, bool isMainFrame) override;
    QWebEnginePage *createWindow(WebWindowType) override;
    void javaScriptAlert(const QUrl &origin, const QString &text) override;
    bool javaScriptConfirm(const QUrl &origin, const QString &text) override;
    bool javaScriptPrompt(const QUrl &origin, const QString &text, const QString &value,
                          QString *result) override;
    void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel level, const QString &message,
                                  int line, const QString &source) override;
    QStringList chooseFiles(FileSelectionMode mode, const QStringList &oldFiles,
                            const QStringList &acceptedMimeTypes) override;

private:
    int showBox(int icon, const QUrl &origin, const QString &text, int buttons);
    void onAuthentication(const QUrl &url, QAuthenticator *auth, const QString &proxy);
    void onPermission(const QUrl &origin, Feature feature);

    void askPermission(const QUrl &origin, Feature feature);
    void showMessage(const QUrl &origin, const QString &text);

    struct OneTimeLogin {
        bool proxy = false;
        QString where;
        QString user;
        QString password;
    };
    Prompts &m_prompts;
    OneTimeLogin m_login;
};

void reportShielded(const char *where, const std::exception_ptr &error) noexcept;

// Engine callbacks and queued calls are the edge of a Qt handler: nothing may escape them.
template <typename Action>
void shielded(const char *where, Action &&action) noexcept
{
    try {
        action();
    } catch (...) {
        reportShielded(where, std::current_exception());
    }
}

}  // namespace pelquin
