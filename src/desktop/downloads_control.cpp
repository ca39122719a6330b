#include "desktop/downloads_control.h"

#include "core/download_list.h"
#include "platform/prompts.h"
#include "tabs/tab_collection.h"

namespace pelquin {

DownloadsControl::DownloadsControl(DownloadList &list, TabCollection &tabs,
                                   Prompts &prompts, QWidget *window,
                                   DownloadsWindow::Opener open)
    : QObject(window), m_list(list), m_tabs(tabs), m_prompts(prompts), m_parent(window),
      m_open(std::move(open))
{
    connect(&m_list, &DownloadList::added, this, [this](int id) {
        if (const DownloadEntry *entry = m_list.find(id); entry && m_tabs.contains(entry->tab))
            m_tabs.tab(entry->tab).keepPage();
        report(id);
    });
    connect(&m_list, &DownloadList::changed, this, &DownloadsControl::report);
}

void DownloadsControl::report(int id)
{
    const DownloadEntry *entry = m_list.find(id);
    if (entry && m_tabs.contains(entry->tab))
        m_tabs.tab(entry->tab).showStatusText(downloadStatusText(*entry));
}

void DownloadsControl::showWindow()
{
    if (!m_window) {
        m_window = new DownloadsWindow(m_list, m_open, m_parent);
        m_window->setWindowFlag(Qt::Window);
    }
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
}

bool DownloadsControl::closing(bool ask)
{
    const int running = m_list.activeCount();
    if (running == 0)
        return true;
    if (ask) {
        Question question;
        question.title = QStringLiteral("Downloads in progress");
        question.text = running == 1
                            ? QStringLiteral("A download is in progress. Cancel it and close?")
                            : QStringLiteral("%1 downloads are in progress. Cancel them and "
                                             "close?").arg(running);
        question.icon = PromptIcon::Exclamation;
        question.defaultYes = false;
        if (!m_prompts.ask(question))
            return false;
    }
    m_list.cancelAll();
    return true;
}

}  // namespace pelquin
