#pragma once

#include <QObject>
#include <QPointer>

class QWebEnginePage;

namespace pelquin {

// A tab's zoom, kept over its navigations: a new document may come with the engine's own
// zoom, and the tab's holds.
class PageZoom final : public QObject {
    Q_OBJECT
public:
    PageZoom(QWebEnginePage &page, QObject *parent);

    // The zoom shown, 1.0 for 100%: Ctrl and the wheel zoom in the engine itself.
    double factor() const;
    // Kept between 25% and 500%.
    void setFactor(double factor);

private:
    QPointer<QWebEnginePage> m_page;
    double m_factor = 1.0;
};

}  // namespace pelquin
