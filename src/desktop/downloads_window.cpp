#include "desktop/downloads_window.h"

#include "core/download_list.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace pelquin {

namespace {

enum Column { NameColumn, SizeColumn, ProgressColumn, StateColumn, ColumnCount };

}  // namespace

DownloadsWindow::DownloadsWindow(DownloadList &list, Opener open, QWidget *parent)
    : QDialog(parent), m_list(list), m_opener(std::move(open)),
      m_table(new QTableWidget(0, ColumnCount, this)),
      m_cancel(new QPushButton(QStringLiteral("&Cancel"), this)),
      m_open(new QPushButton(QStringLiteral("&Open"), this)),
      m_showInFolder(new QPushButton(QStringLiteral("Show in &Folder"), this)),
      m_note(new QLabel(this))
{
    setObjectName(QStringLiteral("downloadsWindow"));
    setWindowTitle(QStringLiteral("Downloads"));
    if (!m_opener)
        m_opener = [](const QUrl &url) { return QDesktopServices::openUrl(url); };
    m_note->setObjectName(QStringLiteral("downloadsNote"));
    m_note->setWordWrap(true);
    m_note->setTextFormat(Qt::PlainText);  // names a file the server chose
    m_table->setHorizontalHeaderLabels({QStringLiteral("Name"), QStringLiteral("Size"),
                                        QStringLiteral("Progress"), QStringLiteral("State")});
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->verticalHeader()->hide();
    m_table->horizontalHeader()->setSectionResizeMode(NameColumn, QHeaderView::Stretch);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_cancel);
    buttons->addWidget(m_open);
    buttons->addWidget(m_showInFolder);
    buttons->addStretch();
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_table);
    layout->addLayout(buttons);
    layout->addWidget(m_note);
    resize(640, 320);

    for (int row = 0; row < m_list.entries().size(); ++row) {
        m_table->insertRow(row);
        fillRow(row);
    }
    connect(&m_list, &DownloadList::added, this, [this](int) {
        const int row = m_table->rowCount();
        m_table->insertRow(row);
        fillRow(row);
        updateButtons();
    });
    connect(&m_list, &DownloadList::changed, this, &DownloadsWindow::onChanged);
    connect(m_table, &QTableWidget::itemSelectionChanged, this, &DownloadsWindow::updateButtons);
    connect(m_cancel, &QPushButton::clicked, this, [this] { m_list.cancel(selectedId()); });
    connect(m_open, &QPushButton::clicked, this, [this] {
        if (const DownloadEntry *entry = m_list.find(selectedId()))
            openWithDesktop(QUrl::fromLocalFile(entry->path), entry->fileName);
    });
    connect(m_showInFolder, &QPushButton::clicked, this, [this] {
        if (const DownloadEntry *entry = m_list.find(selectedId())) {
            const QString folder = QFileInfo(entry->path).absolutePath();
            openWithDesktop(QUrl::fromLocalFile(folder), folder);
        }
    });
    updateButtons();
}

void DownloadsWindow::openWithDesktop(const QUrl &url, const QString &what)
{
    m_note->setText(m_opener(url) ? QString()
                                  : QStringLiteral("No program on this desktop opens %1.")
                                        .arg(what));
}

QString DownloadsWindow::note() const { return m_note->text(); }

void DownloadsWindow::fillRow(int row)
{
    const DownloadEntry &entry = m_list.entries().at(row);
    const QString progress =
        entry.total > 0 ? QStringLiteral("%1 of %2").arg(sizeText(entry.received),
                                                         sizeText(entry.total))
                        : sizeText(entry.received);
    const QString texts[ColumnCount] = {entry.fileName, sizeText(entry.total), progress,
                                        downloadStateText(entry)};
    for (int column = 0; column < ColumnCount; ++column) {
        QTableWidgetItem *item = m_table->item(row, column);
        if (!item) {
            item = new QTableWidgetItem;
            m_table->setItem(row, column, item);
        }
        item->setText(texts[column]);
    }
    m_table->item(row, NameColumn)->setToolTip(entry.path);
}

void DownloadsWindow::onChanged(int id)
{
    const QList<DownloadEntry> &entries = m_list.entries();
    for (int row = 0; row < entries.size() && row < m_table->rowCount(); ++row) {
        if (entries.at(row).id == id)
            fillRow(row);
    }
    updateButtons();
}

void DownloadsWindow::selectRow(int row)
{
    m_table->selectRow(row);
}

int DownloadsWindow::selectedId() const
{
    const QList<QTableWidgetItem *> items = m_table->selectedItems();
    if (items.isEmpty())
        return 0;
    const int row = items.first()->row();
    return row < m_list.entries().size() ? m_list.entries().at(row).id : 0;
}

void DownloadsWindow::updateButtons()
{
    const DownloadEntry *entry = m_list.find(selectedId());
    const bool running = entry && entry->state == DownloadEntry::State::InProgress;
    const bool finished = entry && entry->state == DownloadEntry::State::Finished;
    m_cancel->setEnabled(running);
    m_open->setEnabled(finished);
    m_showInFolder->setEnabled(finished);
}

}  // namespace pelquin
