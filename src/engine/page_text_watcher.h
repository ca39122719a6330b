#pragma once

#include <QObject>
#include <QPointF>
#include <QString>

#include <functional>

class QWebEnginePage;

namespace pelquin {

// Watches the text of one page's watched part without reloading it: a script in a world of
// the program's own notices changes and says so through a console line that carries a
// secret of this run, so no page can fake it. Reading the text goes through that world too.
class PageTextWatcher : public QObject {
    Q_OBJECT
public:
    PageTextWatcher(QWebEnginePage &page, QObject *parent);

    // A CSS selector for the watched part; empty: the whole text. Holds for the pages to come
    // and for the one shown now.
    void setRegion(const QString &region);
    const QString &region() const { return m_region; }
    // The watched part's text now; empty when the page has none or the selector is not one.
    void read(std::function<void(const QString &)> done);
    // Picks the part to watch: "start" at the point (CSS pixels), "wider", "narrower"; "end"
    // takes the outline away. `done` learns the part's selector and text.
    void pick(const QString &action, QPointF point,
              std::function<void(const QString &selector, const QString &text)> done);
    // Marks where the phrases stand, for `ms` milliseconds.
    void highlight(const QStringList &phrases, int ms);
    // Whether a console line is the watcher's; it then says that the text moved.
    bool takeConsoleLine(const QString &line);

signals:
    void textMoved();
    // The page does not take `region` as a CSS selector.
    void regionRefused(const QString &region);

private:
    void install();

    QWebEnginePage &m_page;
    QString m_signal;
    QString m_region;
};

}  // namespace pelquin
