#include "platform/network_return.h"

#include <QNetworkInformation>

namespace pelquin {

NetworkReturn::NetworkReturn(QObject *parent) : QObject(parent)
{
    if (!QNetworkInformation::instance() && !QNetworkInformation::loadDefaultBackend())
        return;
    QNetworkInformation *network = QNetworkInformation::instance();
    if (!network || !network->supports(QNetworkInformation::Feature::Reachability))
        return;
    connect(network, &QNetworkInformation::reachabilityChanged, this,
            [this, was = network->reachability()](QNetworkInformation::Reachability now) mutable {
                const bool lost = was == QNetworkInformation::Reachability::Disconnected ||
                                  was == QNetworkInformation::Reachability::Local;
                if (lost && now == QNetworkInformation::Reachability::Online)
                    emit cameBack();
                was = now;
            });
}

}  // namespace pelquin
