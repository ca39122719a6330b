#pragma once

#include "core/download_list.h"

#include <QObject>

#include <functional>

class QWebEngineDownloadRequest;
class QWebEnginePage;
class QWebEngineProfile;

namespace pelquin {

// Saves what the engine will not show into the user's download folder, under the server's
// name made safe and unique, and keeps the run's DownloadList up to date. A download that
// does not finish leaves no file behind.
class DownloadManager final : public QObject {
    Q_OBJECT
public:
    // `tabOf` names the tab that shows a page, 0 for none.
    DownloadManager(QWebEngineProfile &profile, std::function<int(QWebEnginePage *)> tabOf,
                    QObject *parent = nullptr);
    ~DownloadManager() override;

    DownloadList &list() { return m_list; }
    // Where downloads go; the desktop's download folder unless set.
    void setFolder(const QString &folder) { m_folder = folder; }
    QString folder() const;

private:
    void onDownloadRequested(QWebEngineDownloadRequest *request);
    void onStateChanged(int id, QWebEngineDownloadRequest *request);
    static void removePartial(const QString &path);

    DownloadList m_list;
    std::function<int(QWebEnginePage *)> m_tabOf;
    QString m_folder;
};

}  // namespace pelquin
