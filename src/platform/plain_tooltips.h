#pragma once

#include <QObject>
#include <QString>

namespace pelquin {

// Tooltips hold text from pages, servers and files. Qt draws a tooltip that looks like
// markup as markup (bold, links, pictures from disk), so every tooltip is shown through
// this: the markup for `plain` that shows exactly its characters, each line cut to a width
// a screen can show and at most a screenful of lines.
QString toolTipMarkup(const QString &plain);

// The longest line a tooltip shows, in characters, before it ends in "...".
inline constexpr int kToolTipLineCharacters = 120;

// Installed on the application: a widget's tooltip, a tab's, or an item's in a list or
// table, is shown as the plain text it is. What the widgets store stays plain, so the
// accessibility tree reads it unchanged.
class PlainToolTips : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};

}  // namespace pelquin
