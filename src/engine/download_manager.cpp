#include "engine/download_manager.h"

#include "engine/engine_page.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <QStandardPaths>
#include <QWebEngineDownloadRequest>
#include <QWebEngineProfile>

namespace pelquin {

DownloadManager::DownloadManager(QWebEngineProfile &profile,
                                 std::function<int(QWebEnginePage *)> tabOf, QObject *parent)
    : QObject(parent), m_tabOf(std::move(tabOf))
{
    connect(&profile, &QWebEngineProfile::downloadRequested, this,
            [this](QWebEngineDownloadRequest *request) {
                shielded("download", [&] { onDownloadRequested(request); });
            });
}

DownloadManager::~DownloadManager()
{
    // Whatever is still running at the end is cancelled and leaves nothing behind.
    m_list.cancelAll();
}

QString DownloadManager::folder() const
{
    if (!m_folder.isEmpty())
        return m_folder;
    return QStandardPaths::writableLocation(QStandardPaths::DownloadLocation);
}

void DownloadManager::removePartial(const QString &path)
{
    // The engine writes into "<name>.download" and renames it when done; a cancelled
    // download may have left either.
    QFile::remove(path + QStringLiteral(".download"));
    QFile::remove(path);
}

void DownloadManager::onDownloadRequested(QWebEngineDownloadRequest *request)
{
    // "Save Page" chose its own file through a dialog.
    if (request->isSavePageDownload())
        return;
    const QString dir = folder();
    if (dir.isEmpty() || !QDir().mkpath(dir)) {
        request->cancel();
        return;
    }
    QString suggested = request->suggestedFileName();
    if (suggested.isEmpty())
        suggested = request->downloadFileName();
    const QString name = safeDownloadName(suggested);
    QSet<QString> taken = m_list.activePaths();
    QString path = uniqueDownloadPath(dir, name, taken);
    // The engine's own partial file must not clash either.
    while (QFileInfo::exists(path + QStringLiteral(".download"))) {
        taken.insert(path);
        path = uniqueDownloadPath(dir, name, taken);
    }
    request->setDownloadDirectory(dir);
    request->setDownloadFileName(QFileInfo(path).fileName());

    DownloadEntry entry;
    entry.tab = m_tabOf ? m_tabOf(request->page()) : 0;
    entry.fileName = QFileInfo(path).fileName();
    entry.path = path;
    entry.total = request->totalBytes();
    const QPointer<QWebEngineDownloadRequest> guard(request);
    const int id = m_list.add(entry, [guard, path] {
        if (guard && !guard->isFinished())
            guard->cancel();
        removePartial(path);
    });
    const auto progress = [this, id, request] {
        m_list.setProgress(id, request->receivedBytes(), request->totalBytes());
    };
    connect(request, &QWebEngineDownloadRequest::receivedBytesChanged, this, progress);
    connect(request, &QWebEngineDownloadRequest::totalBytesChanged, this, progress);
    connect(request, &QWebEngineDownloadRequest::stateChanged, this,
            [this, id, request] { shielded("download", [&] { onStateChanged(id, request); }); });
    request->accept();
}

void DownloadManager::onStateChanged(int id, QWebEngineDownloadRequest *request)
{
    const DownloadEntry *entry = m_list.find(id);
    if (!entry)
        return;
    const QString path = entry->path;
    switch (request->state()) {
    case QWebEngineDownloadRequest::DownloadCompleted:
        m_list.setProgress(id, request->receivedBytes(), request->receivedBytes());
        m_list.setState(id, DownloadEntry::State::Finished);
        break;
    case QWebEngineDownloadRequest::DownloadCancelled:
        m_list.setState(id, DownloadEntry::State::Cancelled);
        removePartial(path);
        break;
    case QWebEngineDownloadRequest::DownloadInterrupted:
        m_list.setState(id, DownloadEntry::State::Failed);
        request->cancel();
        removePartial(path);
        break;
    default:
        break;
    }
}

}  // namespace pelquin
