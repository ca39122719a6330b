#pragma once

#include <QObject>

namespace pelquin {

// Tells when the desktop's network comes back after it was lost, as far as the desktop
// knows (its network manager). Without one it never tells, and nothing fails.
class NetworkReturn : public QObject {
    Q_OBJECT
public:
    explicit NetworkReturn(QObject *parent = nullptr);

signals:
    void cameBack();
};

}  // namespace pelquin
