#pragma once

#include "core/browser_control.h"

#include <QDateTime>
#include <QHash>
#include <QString>

namespace pelquin {

// The History folder: one Internet Shortcut per address visited, named from the page's
// title, its modification time the last visit. The least recently visited go first when
// there are more than `limit`.
class HistoryFolder final : public BrowsingRecords {
public:
    static constexpr int kDefaultLimit = 1000;

    explicit HistoryFolder(QString folder, int limit = kDefaultLimit);

    const QString &folder() const { return m_folder; }
    // Records a visit; addresses that are not web pages are not kept.
    void recordVisit(const QString &address, const QString &title, const QDateTime &when);

    QString shortcutAddress(const QString &path) const override;
    void pageCompleted(const QString &address, const QString &title,
                       const QDateTime &when) override
    {
        if (m_recording)
            recordVisit(address, title, when);
    }
    // A private run reads the folder but adds nothing to it.
    void stopRecording() { m_recording = false; }

private:
    void index();
    void trim();

    QString m_folder;
    int m_limit;
    bool m_indexed = false;
    bool m_recording = true;
    QHash<QString, QString> m_files;  // address -> shortcut file
};

}  // namespace pelquin
