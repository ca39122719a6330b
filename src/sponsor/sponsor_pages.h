#pragma once

#include <QString>

class QUrlQuery;

namespace pelquin {

// The bundled pages of the sponsor site, as UTF-8 HTML with inline styles only, so that
// they show the same with or without a network.

// "/w1.htm": the welcome page, titled "Pelquin".
QString sponsorWelcomePage();
// "/w2.htm": the search form, a GET form whose field "q" goes to "/sc".
QString sponsorSearchFormPage();
// "/sc?q=...": the query and links that search the web for it, then the form again.
QString sponsorSearchResultsPage(const QString &query);

// A field of a submitted form: percent-decoded, with '+' read as a blank.
QString formValue(const QUrlQuery &query, const QString &name);
// Text made safe for element content and double-quoted attribute values.
QString escapeHtml(const QString &text);

}  // namespace pelquin
