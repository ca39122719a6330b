// The floor Pelquin's start-up is measured against: a bare Qt WebEngine program with 30 views
// in one window, each loading one page, only the first one shown, on one persistent profile.
// Usage: bare_engine <profile folder> <address 1> ... <address 30>
#include "platform/startup_trace.h"

#include <QApplication>
#include <QStackedWidget>
#include <QUrl>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineView>

#include <unistd.h>

int main(int argc, char **argv)
{
    pelquin::traceStartup("main");
    if (::geteuid() == 0)
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    const QStringList args = QApplication::arguments().mid(1);
    if (args.size() < 2)
        return 2;
    pelquin::traceStartup("application");
    QWebEngineProfile profile(QStringLiteral("bare"));
    profile.setPersistentStoragePath(args.at(0) + QStringLiteral("/storage"));
    profile.setCachePath(args.at(0) + QStringLiteral("/cache"));
    pelquin::traceStartup("engine profile");
    QStackedWidget window;
    window.resize(1024, 768);
    QList<QWebEngineView *> views;
    for (int i = 1; i < args.size(); ++i) {
        auto *view = new QWebEngineView(&window);
        view->setPage(new QWebEnginePage(&profile, view));
        window.addWidget(view);
        views << view;
    }
    pelquin::traceStartup("30 views");
    for (int i = 1; i < args.size(); ++i)
        views.at(i - 1)->load(QUrl(args.at(i)));
    pelquin::traceStartup("every first page asked for");
    window.setCurrentIndex(0);
    window.show();
    return app.exec();
}
