#pragma once

#include <QObject>
#include <QPointer>
#include <QSet>
#include <QString>
#include <QUrl>

#include <functional>
#include <memory>

class QWebEngineCertificateError;

namespace pelquin {

class EnginePage;

// Shows Pelquin's own page in place of a page whose process ended or whose site's
// certificate is not trusted. The page keeps the address it stands for, so Refresh and the
// tab's auto refresh load the real page again.
class OwnPageShower final : public QObject {
    Q_OBJECT
public:
    // Hosts whose overridable certificate errors the user accepted, for the run; shared by
    // every browser.
    using CertificateExceptions = std::shared_ptr<QSet<QString>>;

    OwnPageShower(EnginePage &page, CertificateExceptions exceptions);

    // The address an own page stands for; empty while the real page shows.
    QUrl standsFor() const { return m_showing ? m_url : QUrl(); }
    // Whether the load now reported is that of our own page.
    bool loadingOwnPage() const { return m_pending; }
    // The own page has loaded: what the status bar says, and whether the page stopped.
    struct Shown {
        QString status;
        bool stopped = false;
    };
    Shown loaded();
    // A load of some other page starts: the own page no longer shows.
    void leave();
    // Whether the user accepted a certificate error of `host` in this run.
    bool certificateAccepted(const QString &host) const
    {
        return m_exceptions && m_exceptions->contains(host);
    }
    // The stopped page shown now says `note` too.
    void noteOnStoppedPage(const QString &note);
    // The failed load of `url` was a certificate error: shows why, true when it did.
    bool showCertificateProblem(const QUrl &url);

signals:
    // The user accepted the certificate: load `url` again.
    void reloadWanted(const QUrl &url);

private:
    void onRenderProcessTerminated(int status);
    void onCertificateError(const QWebEngineCertificateError &error);
    void onAction(const QUrl &url);
    void show(const QString &html, const QUrl &url);

    QPointer<EnginePage> m_page;
    CertificateExceptions m_exceptions;
    QUrl m_url;
    bool m_pending = false;
    bool m_showing = false;
    bool m_stopped = false;
    // The last certificate error of a main-frame load.
    QUrl m_errorUrl;
    QString m_errorText;
    bool m_overridable = false;
    QString m_token;  // the accept button's, so that no other page can press it
    QString m_status;
};

}  // namespace pelquin
