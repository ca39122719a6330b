#pragma once

#include "desktop/downloads_window.h"

#include <QObject>
#include <QPointer>

namespace pelquin {

class DownloadList;
class Prompts;
class TabCollection;

// Follows the run's downloads for the window: the tab that started one keeps its page and
// its status bar tells the progress; the Downloads window; the question at closing.
class DownloadsControl final : public QObject {
    Q_OBJECT
public:
    DownloadsControl(DownloadList &list, TabCollection &tabs, Prompts &prompts,
                     QWidget *window, DownloadsWindow::Opener open = {});

    // Opens the Downloads window, or brings it forward.
    void showWindow();
    DownloadsWindow *window() const { return m_window.data(); }
    // Whether the program may close now. With downloads running, the user is asked once
    // (`ask`) whether to cancel them; otherwise they are cancelled without a question.
    bool closing(bool ask);

private:
    void report(int id);

    DownloadList &m_list;
    TabCollection &m_tabs;
    Prompts &m_prompts;
    QWidget *m_parent;
    DownloadsWindow::Opener m_open;
    QPointer<DownloadsWindow> m_window;
};

}  // namespace pelquin
