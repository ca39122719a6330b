#include "engine/popup_window.h"

#include "engine/engine_page.h"
#include "engine/own_page_shower.h"

#include <QVBoxLayout>
#include <QWebEngineView>

namespace pelquin {

PopupWindow::PopupWindow(QWebEngineProfile &profile, Prompts &prompts,
                         const BrowsingRecords *records)
    : m_view(new QWebEngineView(this))
{
    setAttribute(Qt::WA_DeleteOnClose);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_view);
    auto *page = new EnginePage(profile, prompts, m_view);
    page->records = records;
    new OwnPageShower(*page, nullptr);
    m_view->setPage(page);
    resize(800, 600);
    setWindowTitle(QStringLiteral("Pelquin"));
    connect(page, &QWebEnginePage::titleChanged, this, [this](const QString &title) {
        setWindowTitle(title.isEmpty() ? QStringLiteral("Pelquin") : title);
    });
    connect(page, &QWebEnginePage::windowCloseRequested, this, &QWidget::close);
    connect(page, &QWebEnginePage::geometryChangeRequested, this, [this](const QRect &rect) {
        if (rect.isValid())
            resize(rect.size());
    });
}

QWebEnginePage *PopupWindow::page() const
{
    return m_view->page();
}

}  // namespace pelquin
