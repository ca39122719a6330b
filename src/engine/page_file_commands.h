#pragma once

#include "core/browser_control.h"

#include <QObject>
#include <QPointer>

#include <memory>

class QPrinter;
class QWebEngineView;

namespace pelquin {

class EnginePage;
class Prompts;

// Print, Save Page and View Source of one tab's page, each asking in its dialog. A page's
// own window.print() is asked for after the engine's call has returned, and only of a page
// the user looks at.
class PageFileCommands final : public QObject {
    Q_OBJECT
public:
    PageFileCommands(QWebEngineView &view, EnginePage &page, Prompts &prompts,
                     QObject *parent);
    ~PageFileCommands() override;

    bool available(PageCommand command) const;
    // Raises E_FAIL when the command is not available.
    void run(PageCommand command);
    // The page's source in a window of its own.
    void viewSource();

private:
    bool hasDocument() const;
    void print();
    void save();

    QPointer<QWebEngineView> m_view;
    QPointer<EnginePage> m_page;
    Prompts &m_prompts;
    std::unique_ptr<QPrinter> m_printer;  // alive until the engine has finished printing
    bool m_pdfPending = false;            // the engine writes a PDF file
};

}  // namespace pelquin
