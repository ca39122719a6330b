#pragma once

#include <QWidget>

class QWebEnginePage;
class QWebEngineProfile;
class QWebEngineView;

namespace pelquin {

class BrowsingRecords;
class Prompts;

// A separate browser window for a page that opened one; it deletes itself when closed.
class PopupWindow final : public QWidget {
    Q_OBJECT
public:
    PopupWindow(QWebEngineProfile &profile, Prompts &prompts, const BrowsingRecords *records);

    QWebEnginePage *page() const;

private:
    QWebEngineView *m_view;
};

}  // namespace pelquin
