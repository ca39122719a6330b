#pragma once

#include "watch/text_versions.h"

#include <QWidget>

#include <functional>

class QLabel;
class QTextBrowser;

namespace pelquin {

// "What Changed": over the page area, like the wall, the selected tab's watched text as the
// user last saw it and as it is now, added words marked and removed words struck through.
// Left and Right step through the kept versions; Escape closes it.
class WhatChangedView : public QWidget {
    Q_OBJECT
public:
    explicit WhatChangedView(QWidget *window);

    // Where the pages lie, asked whenever the view is placed.
    void setArea(std::function<QRect()> area) { m_area = std::move(area); }
    // Shows the versions of a page, oldest first, from the one at `from` to the last.
    void open(int tab, const QList<TextVersion> &versions, int from);
    // Closes; the page shows again (closed).
    void close();
    // Something else selected a tab: the view steps aside.
    void dismiss();
    bool isOpen() const { return isVisible(); }

    // One step to older (-1) or newer (+1) versions: the change each made.
    void step(int direction);
    QString heading() const;
    QTextBrowser &text() const { return *m_text; }

    // The view's text: what changed from `before` to `after`, as rich text whose words are
    // the page's own, escaped.
    static QString changesHtml(const QString &before, const QString &after);

signals:
    void closed();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void showPair();

    QLabel *m_heading;
    QTextBrowser *m_text;
    std::function<QRect()> m_area;
    QList<TextVersion> m_versions;
    int m_tab = 0;
    int m_from = 0;
    int m_to = 0;
};

}  // namespace pelquin
