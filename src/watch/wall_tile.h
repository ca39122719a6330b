#pragma once

#include <QAbstractButton>
#include <QDateTime>
#include <QImage>
#include <QString>

namespace pelquin {

class BrowserTab;

// What a tile of the wall says of its tab beside the caption.
enum class TileState {
    Shown, Loading, Changed, Alert, Failing, SignedOut, Stale, Paused, Crashed, Empty
};

// One tab on the wall of tabs: a picture of its page, "Tab N: caption" and its state.
// Clicking it chooses the tab; the wall takes the keys.
class WallTile : public QAbstractButton {
    Q_OBJECT
public:
    WallTile(BrowserTab &tab, QWidget *parent);

    BrowserTab &tab() const { return m_tab; }
    // The caption and state; the accessible name follows them.
    // `detail` says more than the state's word (Paused until Mon 08:00).
    void describe(const QString &caption, TileState state, const QString &detail = QString());
    QString label() const;
    TileState state() const { return m_state; }
    // What the tile says of its tab: the state's word, or more.
    QString saying() const;
    void setPicture(const QImage &picture);
    const QImage &picture() const { return m_picture; }
    // The words of a page never drawn, shown instead of a picture.
    void setPageText(const QString &text);
    const QString &pageText() const { return m_pageText; }
    // The tab selected when the wall opened: drawn with a frame of its own.
    void setCurrent(bool current);

    // When its picture or words were last renewed while the wall was open; unset: not yet.
    QDateTime renewed;
    // Its page completed since the user last saw it: its last picture is no longer the page.
    bool completedSinceShown = false;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    BrowserTab &m_tab;
    QString m_caption;
    QString m_detail;
    TileState m_state = TileState::Empty;
    QImage m_picture;
    QString m_pageText;
    bool m_current = false;
};

}  // namespace pelquin
