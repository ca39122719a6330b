#include "core/download_list.h"
#include "desktop/downloads_window.h"

#include <QPushButton>
#include <QTableWidget>

#include <gtest/gtest.h>

namespace pelquin {
namespace {

TEST(DownloadsWindowTest, ListsTheRunsDownloadsAndActsOnTheSelectedOne)
{
    DownloadList list;
    DownloadEntry done;
    done.fileName = QStringLiteral("report.zip");
    done.path = QStringLiteral("/home/u/Downloads/report.zip");
    done.total = 2048;
    const int doneId = list.add(done, {});
    list.setProgress(doneId, 2048, 2048);
    list.setState(doneId, DownloadEntry::State::Finished);
    QList<QUrl> opened;
    bool desktopOpens = true;
    DownloadsWindow window(list, [&](const QUrl &url) {
        opened << url;
        return desktopOpens;
    }, nullptr);

    int cancels = 0;
    DownloadEntry running;
    running.fileName = QStringLiteral("big.iso");
    running.path = QStringLiteral("/home/u/Downloads/big.iso");
    list.add(running, [&] { ++cancels; });
    QTableWidget *table = window.table();
    ASSERT_EQ(table->rowCount(), 2);
    EXPECT_EQ(table->item(0, 0)->text(), QStringLiteral("report.zip"));
    EXPECT_EQ(table->item(0, 1)->text(), QStringLiteral("2.0 KB"));
    EXPECT_EQ(table->item(0, 3)->text(), QStringLiteral("finished"));
    EXPECT_EQ(table->item(1, 3)->text(), QStringLiteral("downloading"));

    window.selectRow(0);
    EXPECT_FALSE(window.cancelButton()->isEnabled());
    window.openButton()->click();
    window.showInFolderButton()->click();
    EXPECT_EQ(opened, (QList<QUrl>{QUrl::fromLocalFile(done.path),
                                   QUrl::fromLocalFile(QStringLiteral("/home/u/Downloads"))}));
    EXPECT_EQ(window.note(), QString());
    desktopOpens = false;  // no program for it on this desktop: the window says so
    window.openButton()->click();
    EXPECT_EQ(window.note(), QStringLiteral("No program on this desktop opens report.zip."));
    window.showInFolderButton()->click();
    EXPECT_EQ(window.note(),
              QStringLiteral("No program on this desktop opens /home/u/Downloads."));
    window.selectRow(1);
    EXPECT_FALSE(window.openButton()->isEnabled());
    window.cancelButton()->click();
    EXPECT_EQ(cancels, 1);
    EXPECT_EQ(table->item(1, 3)->text(), QStringLiteral("cancelled"));
}

}  // namespace
}  // namespace pelquin
