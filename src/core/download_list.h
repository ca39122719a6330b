#pragma once

#include <QList>
#include <QObject>
#include <QSet>
#include <QString>

#include <functional>
#include <map>

namespace pelquin {

// One download of this run.
struct DownloadEntry {
    enum class State { InProgress, Finished, Cancelled, Failed };
    int id = 0;
    int tab = 0;  // the tab whose page started it; 0 for a pop-up window
    QString fileName;
    QString path;
    qint64 received = 0;
    qint64 total = -1;  // -1 while unknown
    State state = State::InProgress;
};

// A name from a web server made safe to save under: no folders, no leading dots, no control
// or shell-special characters, at most 120 characters and 240 bytes (room for the engine's
// partial-file ending within the file system's 255) with the extension kept.
QString safeDownloadName(const QString &suggested);
// `name` in `folder`, or "name (1).ext", "name (2).ext", ... when that file exists or is
// taken by a download still running.
QString uniqueDownloadPath(const QString &folder, const QString &name,
                           const QSet<QString> &taken);
// "1.5 MB", "300 bytes".
QString sizeText(qint64 bytes);
// What the status bar says of a download.
QString downloadStatusText(const DownloadEntry &entry);
QString downloadStateText(const DownloadEntry &entry);

// This run's downloads, in the order they started. The engine adds and updates them; the
// Downloads window and the status bar follow them.
class DownloadList : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // Returns the new entry's id. `cancel` asks the engine to stop it.
    int add(DownloadEntry entry, std::function<void()> cancel);
    void setProgress(int id, qint64 received, qint64 total);
    void setState(int id, DownloadEntry::State state);
    void cancel(int id);
    void cancelAll();

    const QList<DownloadEntry> &entries() const { return m_entries; }
    const DownloadEntry *find(int id) const;
    int activeCount() const;
    // Paths of the downloads still running, which a new download must not take.
    QSet<QString> activePaths() const;

signals:
    void added(int id);
    void changed(int id);

private:
    DownloadEntry *entry(int id);

    QList<DownloadEntry> m_entries;
    std::map<int, std::function<void()>> m_cancel;
    int m_nextId = 1;
};

}  // namespace pelquin
