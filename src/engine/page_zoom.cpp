#include "engine/page_zoom.h"

#include <QWebEnginePage>

namespace pelquin {

PageZoom::PageZoom(QWebEnginePage &page, QObject *parent) : QObject(parent), m_page(&page)
{
    connect(&page, &QWebEnginePage::loadFinished, this, [this] {
        if (m_page && !qFuzzyCompare(m_page->zoomFactor(), m_factor))
            m_page->setZoomFactor(m_factor);
    });
}

double PageZoom::factor() const
{
    return m_page ? m_page->zoomFactor() : m_factor;
}

void PageZoom::setFactor(double factor)
{
    m_factor = qBound(0.25, factor, 5.0);
    if (m_page)
        m_page->setZoomFactor(m_factor);
}

}  // namespace pelquin
