#pragma once

#include "core/browser_control.h"

#include <QObject>

#include <functional>

class QWebEnginePage;

namespace pelquin {

// Asks a page's address again from inside the page, in a script world of the program's own:
// the request carries the page's cookies, logins and certificates, so its answer is the one
// a reload would get, while the page shown stays as it is.
class AddressCheck : public QObject {
    Q_OBJECT
public:
    AddressCheck(QWebEnginePage &page, QObject *parent);

    // `clientErrorWasGood`: the page shown came with a 4xx answer, so another one is no
    // failure. One check at a time; a new one replaces the last, which is never told.
    void run(int timeoutMs, bool clientErrorWasGood,
             std::function<void(const AddressAnswer &)> done);

private:
    void poll(quint64 round, const QString &key, qint64 giveUpAt);
    void tell(quint64 round, const AddressAnswer &answer);
    // Why a request that got no answer failed: a name not found says more than "no answer".
    void tellNetworkFailure(quint64 round, const QString &host);

    QWebEnginePage &m_page;
    std::function<void(const AddressAnswer &)> m_done;
    bool m_clientErrorWasGood = false;
    quint64 m_round = 0;
};

}  // namespace pelquin
