#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

namespace pelquin {

// One page of the History folder: its title, address and last visit.
struct VisitedPage {
    QString title;
    QString address;
    QDateTime when;
};

// The History folder's web pages, the most recent first.
QList<VisitedPage> visitedPages(const QString &historyFolder);

// A page of Pelquin's own listing `pages` grouped by the day of their last visit, newest
// first, each a link with its title; only web addresses become links.
QStringList historyPage(const QList<VisitedPage> &pages);

}  // namespace pelquin
