#pragma once

#include <QString>

namespace pelquin {

// Pelquin's own pages for what went wrong with a tab's page. Every text that came from the
// web is escaped: a page must not be able to write markup into them.

// The page that stands for a page whose process ended; its link loads `address` again.
QString stoppedPageHtml(const QString &address, const QString &note = QString());
QString stoppedStatusText();

// The page that stands for a site whose certificate is not trusted. `acceptLink` is empty
// when the error may not be overridden.
QString certificatePageHtml(const QString &host, const QString &reason,
                            const QString &acceptLink);
QString certificateStatusText(const QString &host, const QString &reason);

}  // namespace pelquin
