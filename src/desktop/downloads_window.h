#pragma once

#include <QDialog>
#include <QUrl>

#include <functional>

class QPushButton;
class QLabel;
class QTableWidget;

namespace pelquin {

class DownloadList;

// This run's downloads: name, size, progress and state of each, with Cancel, Open and Show
// in Folder for the one selected. Opening goes through the desktop's default handlers.
class DownloadsWindow final : public QDialog {
    Q_OBJECT
public:
    // Opens a file or folder; false when the desktop has no program for it.
    using Opener = std::function<bool(const QUrl &)>;

    // `open` defaults to the desktop's handler for the file or folder.
    DownloadsWindow(DownloadList &list, Opener open, QWidget *parent);

    QTableWidget *table() const { return m_table; }
    QPushButton *cancelButton() const { return m_cancel; }
    QPushButton *openButton() const { return m_open; }
    QPushButton *showInFolderButton() const { return m_showInFolder; }
    // What the window last had to say, such as a file no program opens; empty otherwise.
    QString note() const;
    // Selects the download in `row`, counted from 0.
    void selectRow(int row);

private:
    void fillRow(int row);
    void onChanged(int id);
    int selectedId() const;
    void updateButtons();
    void openWithDesktop(const QUrl &url, const QString &what);

    DownloadList &m_list;
    Opener m_opener;
    QTableWidget *m_table;
    QPushButton *m_cancel;
    QPushButton *m_open;
    QPushButton *m_showInFolder;
    QLabel *m_note;
};

}  // namespace pelquin
