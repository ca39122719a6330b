#pragma once

#include "tabs/page_asks.h"

#include <QFrame>

class QLabel;
class QPushButton;

namespace pelquin {

// The note for `ask`, answered on its own; an alert's note replaces no note that needs an
// action, and a like note is counted.
PageNote noteFor(const PageDialog &ask, const PageNote *previous);
// The bar's text: the page's words, cut to a length a bar can show.
QString noteText(const PageNote &note);
// The bar's button: "OK", "Reload" or "Log in", with its access key.
QString noteActionText(PageNote::Kind kind);

// The bar above the selected tab's page that shows its note, with the note's button and a
// close button.
class PageNoteBar final : public QFrame {
    Q_OBJECT
public:
    explicit PageNoteBar(QWidget *parent);

    void showNote(const PageNote &note);
    // The height the bar needs at `width` pixels, never more than a few lines.
    int heightAt(int width) const;
    int heightForWidth(int width) const override { return heightAt(width); }
    bool hasHeightForWidth() const override { return true; }

    QLabel *label() const { return m_label; }
    QPushButton *actionButton() const { return m_action; }
    QPushButton *closeButton() const { return m_close; }

signals:
    void actionClicked();
    void closeClicked();

private:
    QLabel *m_label;
    QPushButton *m_action;
    QPushButton *m_close;
};

}  // namespace pelquin
