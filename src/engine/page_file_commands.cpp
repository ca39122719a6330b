#include "engine/page_file_commands.h"

#include "engine/engine_page.h"
#include "engine/popup_window.h"
#include "platform/basic_error.h"
#include "platform/prompts.h"

#include <QPrintDialog>
#include <QPrinter>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTimer>
#include <QWebEngineDownloadRequest>
#include <QWebEngineView>

namespace pelquin {

PageFileCommands::PageFileCommands(QWebEngineView &view, EnginePage &page, Prompts &prompts,
                                   QObject *parent)
    : QObject(parent), m_view(&view), m_page(&page), m_prompts(prompts)
{
    connect(&page, &QWebEnginePage::printRequested, this, [this] {
        QTimer::singleShot(0, this, [this] {
            if (m_view && m_view->isVisible() && available(PageCommand::Print))
                shielded("print", [&] { print(); });
        });
    });
    connect(&page, &QWebEnginePage::pdfPrintingFinished, this,
            [this](const QString &, bool) { m_pdfPending = false; });
    connect(&view, &QWebEngineView::printFinished, this, [this](bool) {
        // The engine may still be unwinding its print job: let go of the printer later.
        QTimer::singleShot(0, this, [this] { m_printer.reset(); });
    });
}

PageFileCommands::~PageFileCommands() = default;

bool PageFileCommands::hasDocument() const
{
    return m_page && !m_page->url().isEmpty();
}

bool PageFileCommands::available(PageCommand command) const
{
    switch (command) {
    case PageCommand::Print:
        return hasDocument() && !m_printer && !m_pdfPending;
    case PageCommand::SaveAs:
        return hasDocument();
    }
    return false;
}

void PageFileCommands::run(PageCommand command)
{
    if (!available(command))
        throwError(err::EFail);
    if (command == PageCommand::Print)
        print();
    else
        save();
}

void PageFileCommands::print()
{
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    QPrintDialog dialog(printer.get(), m_view);
    if (m_prompts.showModal(dialog) != QDialog::Accepted || !m_view)
        return;
    if (printer->outputFormat() == QPrinter::PdfFormat && !printer->outputFileName().isEmpty()) {
        // The engine's own PDF keeps the page's text, to select and search; the printer's
        // would be one picture per page.
        m_pdfPending = true;
        m_page->printToPdf(printer->outputFileName(), printer->pageLayout(),
                           printer->pageRanges());
        return;
    }
    m_printer = std::move(printer);
    m_view->print(m_printer.get());
}

void PageFileCommands::save()
{
    QString name = m_page->title().trimmed();
    name.replace(QRegularExpression(QStringLiteral("[/\\\\:*?\"<>|]")), QStringLiteral("_"));
    FileRequest request;
    request.title = QStringLiteral("Save Web Page");
    request.folder = QStandardPaths::writableLocation(QStandardPaths::DownloadLocation);
    request.filter = QStringLiteral("Web Page, complete (*.htm *.html)");
    request.fileName = (name.isEmpty() ? QStringLiteral("page") : name) + QStringLiteral(".htm");
    const QString path = m_prompts.saveFileName(request);
    if (!path.isEmpty() && m_page)
        m_page->save(path, QWebEngineDownloadRequest::CompleteHtmlSaveFormat);
}

void PageFileCommands::viewSource()
{
    if (!hasDocument())
        return;
    auto *window = new PopupWindow(*m_page->profile(), m_prompts, m_page->records);
    window->page()->load(QUrl(QStringLiteral("view-source:") +
                              m_page->url().toString(QUrl::RemoveUserInfo)));
    window->show();
}

}  // namespace pelquin
