#pragma once

#include <QPointer>
#include <QWidget>

class QWebEngineFullScreenRequest;
class QWebEnginePage;
class QWebEngineView;

namespace pelquin {

// A page's full-screen request: the page moves to a full-screen window of its own and back
// into its tab, so the main window, its bars and its mode stay exactly as they were.
class FullScreenView final : public QObject {
    Q_OBJECT
public:
    // `home` is the tab's view, which shows `page` whenever it is not full screen.
    FullScreenView(QWebEngineView &home, QWebEnginePage &page, QObject *parent);
    ~FullScreenView() override;

    bool active() const { return !m_window.isNull(); }
    // Ends the page's full screen: Escape, leaving the page, or the tab going to the back.
    void exit();
    // The full-screen window, while there is one.
    QWidget *window() const { return m_window; }

signals:
    void changed(bool on);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void onRequest(QWebEngineFullScreenRequest request);
    void enter();
    void leave();

    QPointer<QWebEngineView> m_home;
    QPointer<QWebEnginePage> m_page;
    QPointer<QWidget> m_window;
    // The user ended full screen: the page may ask again only after a click or key in it.
    bool m_endedByUser = false;
};

}  // namespace pelquin
