#pragma once

#include "core/browser_control.h"
#include "core/typed_address.h"
#include "engine/full_screen_view.h"
#include "engine/page_zoom.h"

#include <QPointer>
#include <QSet>
#include <QUrl>
#include <QWidget>

#include <memory>

class QWebEngineLoadingInfo;
class QWebEnginePage;
class QWebEngineProfile;
class QWebEngineView;

namespace pelquin {

class AddressCheck;
class EnginePage;
class PageFileCommands;
class SettledText;
class OwnPageShower;
class Prompts;

// An Internet Shortcut file (.url) stands for the address inside it, as on the desktop.
QUrl openedUrl(const QUrl &url, const BrowsingRecords *records);

// One tab's browser on Qt WebEngine: a view and its page, mapped onto BrowserControl.
class PageTextWatcher;

class WebEngineBrowser final : public BrowserControl {
    Q_OBJECT
public:
    // The profile must outlive the browser. The browser is a child of `parent` and deletes
    // its view when it goes.
    WebEngineBrowser(QWebEngineProfile &profile, Prompts &prompts, QWidget *parent,
                     std::shared_ptr<QSet<QString>> certificateExceptions = nullptr);
    ~WebEngineBrowser() override;

    QWidget *widget() override;
    void navigate(const QString &address) override;
    void goBack() override;
    void goForward() override;
    void stop() override;
    void refresh() override;
    bool busy() const override { return m_busy; }
    QString locationUrl() const override;
    QString locationName() const override;
    void blankDocument() override;
    void readBodyMarkup(std::function<void(const QString &)> done) override;
    void readBodyMarkupWith(const QString &word,
                            std::function<void(const QString &)> done) override;
    void checkTypedText(std::function<void(bool typed)> done) override;
    void readVisibleText(std::function<void(const QString &)> done) override;
    void readSettledText(std::function<void(const QString &)> done) override;
    void watchText(const QString &region) override;
    void readWatchedText(std::function<void(const QString &)> done) override;
    void readWatchedTextNow(std::function<void(const QString &)> done) override;
    void pickPart(PickStep step,
                  std::function<void(const QString &, const QString &)> done) override;
    void endPicking() override;
    void highlightAdded(const QStringList &phrases) override;
    void noteOnStoppedPage(const QString &note) override;
    void probeAnswer(int timeoutMs, std::function<void(bool)> done) override;
    void endHungPage() override;
    void checkAddressAnswers(int timeoutMs,
                             std::function<void(const AddressAnswer &)> done) override;
    void checkPasswordField(std::function<void(bool)> done) override;
    void setFrozen(bool frozen) override;
    void setWatchRuleApplies(bool applies) override { m_watchRuleApplies = applies; }
    void findText(const QString &text, bool backward,
                  std::function<void(const FindResult &)> done) override;
    bool commandAvailable(PageCommand command) override;
    void exec(PageCommand command) override;
    void refreshBypassingCache() override;
    PageSecurity security() const override;
    void loginAndReload(const PageDialog &ask, const QString &user,
                        const QString &password) override;
    double zoomFactor() const override;
    void setZoomFactor(double factor) override;
    bool fullScreen() const override;
    void exitFullScreen() override;
    // The page's full-screen window, while it shows full screen.
    QWidget *fullScreenWindow() const;
    void setBrowsingRecords(BrowsingRecords *records);
    QWebEnginePage *enginePage() const;

private:
    // Maps the page's questions, navigations and new tabs or windows onto our signals.
    void mapEngineCallbacks();
    void mapPageSignals();
    // Keeps, in the page, when its document last changed and whether words were typed.
    void addPageTracker();
    EnginePage &page() const;
    bool hasDocument() const;
    // How long the page's document has been unchanged, in milliseconds.
    void askQuietTime(std::function<void(double quietMs)> done);
    // The watched part's text as it is now.
    void readWatchedPart(std::function<void(const QString &)> done);
    // Defers an engine call made from inside the engine's navigation callback.
    void whenSafe(std::function<void(EnginePage &)> action);
    void onLoadingChanged(const QWebEngineLoadingInfo &info);
    // What the page shown came with: the engine's error page, or a 4xx answer of its server.
    void noteLoadEnded(const QWebEngineLoadingInfo &info);
    void reportCommandState();
    // Frozen while out of sight when the program wants it so, running otherwise.
    void applyLifecycle();
    // The script whose result is the body's markup as the program reads it.
    static QString bodyMarkupScript(const QString &word = QString());

    Prompts &m_prompts;
    QPointer<QWebEngineView> m_view;
    QPointer<EnginePage> m_page;
    OwnPageShower *m_ownPage;
    QPointer<FullScreenView> m_fullScreen;
    QPointer<PageZoom> m_zoom;
    PageFileCommands *m_files = nullptr;
    SettledText *m_settledText = nullptr;
    PageTextWatcher *m_textWatcher = nullptr;
    AddressCheck *m_addressCheck = nullptr;
    bool m_showsErrorPage = false;
    bool m_showsClientError = false;
    bool m_frozen = false;
    SettledText *m_settledPart = nullptr;  // the watched part's text, once settled
    QPoint m_pickAt;  // where the page menu was opened, in the view
    bool m_watchRuleApplies = false;
    std::shared_ptr<bool> m_alive;
    BrowsingRecords *m_records = nullptr;
    bool m_busy = false;
    bool m_inNavigationRequest = false;
};

}  // namespace pelquin
