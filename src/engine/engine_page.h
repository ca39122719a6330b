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
// script dialogs are modal to their own window only, logins are refused and permissions
// denied, so a page in a background window cannot freeze the whole program.
class EnginePage final : public QWebEnginePage {
    Q_OBJECT
public:
    EnginePage(QWebEngineProfile &profile, Prompts &prompts, QObject *parent);

    std::function<void(const QUrl &, bool)> onNavigationRequest;
    // False refuses the new window.
    std::function<bool()> onNewWindow;
    // False when nobody takes the dialog; `answer` may be called later.
    std::function<bool(const PageDialog &, const PageDialogAnswer &)> onDialog;
    // A click on a button of a page of our own (`url` on the action host).
    std::function<void(const QUrl &)> onOwnAction;
    // Navigations the page should not report, such as showing a page of our own.
    bool quietNavigation = false;
    const BrowsingRecords *records = nullptr;

    // The host our own pages' buttons point at; nothing is ever loaded from it.
    static QString actionHost();
    // Asks through `onDialog` and waits for the answer, the rest of the program running on.
    // Nothing when nobody takes it.
    std::optional<PageDialogReply> ask(const PageDialog &dialog);

    // A name and password typed into an address, used once for that host's login.
    void setTypedLogin(const QUrl &url);

protected:
    bool acceptNavigationRequest(const QUrl &url, NavigationType, bool isMainFrame) override;
    QWebEnginePage *createWindow(WebWindowType) override;
    void javaScriptAlert(const QUrl &origin, const QString &text) override;
    bool javaScriptConfirm(const QUrl &origin, const QString &text) override;
    bool javaScriptPrompt(const QUrl &origin, const QString &text, const QString &value,
                          QString *result) override;
    QStringList chooseFiles(FileSelectionMode mode, const QStringList &oldFiles,
                            const QStringList &acceptedMimeTypes) override;

private:
    int showBox(int icon, const QUrl &origin, const QString &text, int buttons);
    void onAuthentication(const QUrl &url, QAuthenticator *auth, const QString &proxy);
    void onPermission(const QUrl &origin, Feature feature);

    Prompts &m_prompts;
    QString m_typedHost;
    QString m_typedUser;
    QString m_typedPassword;
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
