#pragma once

#include "core/browser_control.h"
#include "core/download_list.h"

#include <QStringList>
#include <QWidget>

#include <array>

namespace pelquin::test {

// A browser that records what it is told and raises events when the test says so.
class FakeBrowser final : public BrowserControl {
    Q_OBJECT
public:
    explicit FakeBrowser(QWidget *parent);

    QWidget *widget() override { return m_widget; }
    void navigate(const QString &address) override;
    void goBack() override;
    void goForward() override;
    void stop() override { ++stops; m_busy = false; }
    void refresh() override { ++refreshes; }
    bool busy() const override { return m_busy; }
    QString locationUrl() const override { return m_location; }
    QString locationName() const override { return m_title; }
    void blankDocument() override;
    void readBodyMarkup(std::function<void(const QString &)> done) override;
    void findText(const QString &text, bool backward,
                  std::function<void(const FindResult &)> done) override
    {
        finds << (backward ? QStringLiteral("<") : QStringLiteral(">")) + text;
        const int total = text.isEmpty() ? 0 : int(body.count(text, Qt::CaseInsensitive));
        if (done)
            done(FindResult{total > 0 ? 1 : 0, total});
    }
    bool commandAvailable(PageCommand) override { return !m_location.isEmpty(); }
    void exec(PageCommand command) override { execs << command; }
    void refreshBypassingCache() override { ++cacheBypasses; }
    double zoomFactor() const override { return zoom; }
    void setZoomFactor(double factor) override { zoom = factor; }
    PageSecurity security() const override;
    void checkTypedText(std::function<void(bool typed)> done) override
    {
        if (holdTypedAnswer)
            *holdTypedAnswer = std::move(done);
        else
            done(typedText);
    }
    void readVisibleText(std::function<void(const QString &)> done) override
    {
        if (deferVisibleText)
            *deferVisibleText = std::move(done);
        else
            done(visibleText);
    }
    void checkAddressAnswers(int, std::function<void(const AddressAnswer &)> done) override
    {
        ++addressChecks;
        if (holdAddressAnswer)
            *holdAddressAnswer = std::move(done);
        else
            done(addressAnswer);
    }
    // Test side: the load of `address` ends failed, the engine's error page shown.
    void failLoad(const QString &address, const QString &reason)
    {
        startLoad(address);
        emit loadFailed(reason);
        finishLoad(address);
    }
    void checkPasswordField(std::function<void(bool)> done) override { done(passwordField); }
    void setFrozen(bool on) override { frozen = on; }
    void watchText(const QString &region) override { watchedRegion = region; }
    void readWatchedText(std::function<void(const QString &)> done) override
    {
        if (watchedRegion.isEmpty())
            readVisibleText(std::move(done));
        else
            done(regionText);
    }
    void readWatchedTextNow(std::function<void(const QString &)> done) override
    {
        readWatchedText(std::move(done));
    }
    void pickPart(PickStep step,
                  std::function<void(const QString &, const QString &)> done) override
    {
        picks << step;
        if (pickedParts.isEmpty())
            return done(QString(), QString());
        const int at = qBound(0, int(pickedAt + (step == PickStep::Wider ? 1 : step == PickStep::Narrower ? -1 : 0)), int(pickedParts.size()) - 1);
        pickedAt = step == PickStep::Start ? 0 : at;
        done(pickedParts.at(pickedAt), QStringLiteral("words of ") + pickedParts.at(pickedAt));
    }
    void endPicking() override { ++pickingEnded; }
    void highlightAdded(const QStringList &phrases) override { highlighted << phrases; }
    void noteOnStoppedPage(const QString &note) override { stoppedNote = note; }
    void probeAnswer(int, std::function<void(bool)> done) override
    {
        ++probes;
        done(!hung);
    }
    void endHungPage() override
    {
        ++hungEnded;
        crash();
    }
    void setWatchRuleApplies(bool applies) override { watchRuleApplies = applies; }
    // Test side: the page changes its words without a reload.
    void changeText(const QString &text)
    {
        visibleText = text;
        emit watchedTextMoved();
    }
    void loginAndReload(const PageDialog &ask, const QString &user,
                        const QString &password) override
    {
        logins << ask.site + QLatin1Char(' ') + user + QLatin1Char(':') + password;
        ++refreshes;
    }
    bool fullScreen() const override { return m_fullScreen; }
    void exitFullScreen() override
    {
        ++fullScreenExits;
        setFullScreen(false);
    }
    // Test side: the page asks for full screen (true) or leaves it on its own (false).
    void setFullScreen(bool on)
    {
        if (on == m_fullScreen)
            return;
        m_fullScreen = on;
        emit fullScreenChange(on);
    }

    // Test side: the page asks; the answer lands in `replies`.
    void askDialog(PageDialog::Kind kind, const QString &text, const QString &site = {});
    // The page's process ends.
    void crash() { emit pageStopped(m_location); }
    void refuseCertificate() { emit certificateRefused(m_location); }

    // Test side: the page arrives (navigation start, then completion).
    void load(const QString &address, const QString &title = QString());
    void startLoad(const QString &address, bool topLevel = true);
    void finishLoad(const QString &address);

    QList<PageDialogReply> replies;
    bool frozen = false;  // the page is to be frozen while out of sight
    bool passwordField = false;  // the page shows a field for a password
    AddressAnswer addressAnswer;  // what asking the page's address again brings
    int addressChecks = 0;
    std::function<void(const AddressAnswer &)> *holdAddressAnswer = nullptr;
    bool typedText = false;  // the page holds words typed and not sent
    QString visibleText;     // what the page shows
    QString watchedRegion;   // the watched part's selector; empty: the whole text
    QString regionText;      // the watched part's text, when a part is watched
    // The parts picking offers, narrowest first; what was asked, and where it stands.
    QStringList pickedParts;
    QList<PickStep> picks;
    int pickedAt = 0;
    int pickingEnded = 0;
    QList<QStringList> highlighted;  // each highlightAdded's phrases
    QString stoppedNote;
    bool hung = false;  // the page no longer answers
    int probes = 0;
    int hungEnded = 0;
    bool watchRuleApplies = false;
    // When set, the visible text is not delivered at once: the test calls the kept callback.
    std::function<void(const QString &)> *deferVisibleText = nullptr;
    // When set, the page does not answer: the test keeps the answer to give later.
    std::function<void(bool)> *holdTypedAnswer = nullptr;
    QStringList logins;  // "site user:password" of each loginAndReload
    // Sites whose certificate errors the user accepted.
    QStringList acceptedCertificates;
    QStringList navigations;
    QStringList finds;  // ">text" forward, "<text" backward
    QStringList history;  // the addresses the fake's Back and Forward move through
    int historyIndex = -1;
    int blanks = 0;
    int stops = 0;
    int refreshes = 0;
    int cacheBypasses = 0;
    int fullScreenExits = 0;
    double zoom = 1.0;
    QList<PageCommand> execs;
    bool hasDocument = true;
    bool drawsNothing = false;  // a picture of the page is its background only
    QString body;
    // When set, the markup is not delivered at once: the test calls the kept callback.
    std::function<void(const QString &)> *deferBody = nullptr;

private:
    QWidget *m_widget;
    QString m_location;
    QString m_title;
    bool m_busy = false;
    bool m_fullScreen = false;
};

class FakeFactory final : public BrowserFactory {
public:
    BrowserControl *create(int tab, QWidget *parent) override;
    void setOffline(bool offline) override { m_offline = offline; }
    bool offline() const override { return m_offline; }
    void applyOptions(const BrowserOptions &o) override { options = o; ++optionsApplied; }
    QString spellingLanguage() const override { return spelling; }
    void clearCache() override { ++cacheClears; }
    void clearCookies() override { ++cookieClears; }
    DownloadList &downloads() override { return downloadList; }

    DownloadList downloadList;
    BrowserOptions options;
    QString spelling = QStringLiteral("en-US");
    int optionsApplied = 0;
    int cacheClears = 0;
    int cookieClears = 0;

    FakeBrowser &browser(int tab) const { return *m_browsers.at(static_cast<size_t>(tab)); }

private:
    std::array<FakeBrowser *, 31> m_browsers{};
    bool m_offline = false;
};

}  // namespace pelquin::test
