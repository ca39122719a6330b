#include "support/shell_fixture.h"

#include "platform/basic_text.h"
#include "platform/text_file.h"

#include <QCoreApplication>

namespace pelquin::test {

ShellFixture::ShellFixture()
{
    writeTextFile(home.file("STD.DAT"), {printNumber(0), printNumber(0), QString()});
    writeTextFile(home.file("Requests.Dat"), {});
    // Words typed in a test are searched for on a site that cannot exist, never a public one.
    SettingsStore(home.settingsPath())
        .setValue(setting::SearchTemplate, QStringLiteral("http://search.localhost/?q=%s"));
}

void ShellFixture::start(const QString &profileName)
{
    settings = std::make_unique<SettingsStore>(home.settingsPath());
    factory = std::make_unique<FakeFactory>();
    session = std::make_unique<Session>();
    session->appFolder = home.folder();
    session->notice = readStartupNotice(home.file("STD.DAT"));
    history = std::make_unique<HistoryFolder>(home.file("History"));
    MailLookup mail{[this] { return mailHandler; }, {home.file("applications")}};
    ProcessStarter start = [this](const QString &line) {
        started << line;
        return true;
    };
    window = std::make_unique<MainWindow>(MainWindowDeps{
        *session, prompts, errors, clock, *settings, *factory, sponsor, profileName,
        *history, mail, start, notifier, 0,
        privateRun});
    window->startUp();
    window->show();
    QCoreApplication::processEvents();
    if (!window->activated())
        window->activate();
}

void ShellFixture::storeNormalWindow(int width, int height)
{
    SettingsStore stored(home.settingsPath());
    stored.setValue(setting::WindowState, QStringLiteral("0"));
    stored.setValue(setting::Width, QString::number(width));
    stored.setValue(setting::Height, QString::number(height));
    stored.sync();
}

void ShellFixture::restart()
{
    if (window)
        window->close();
    window.reset();
    settings.reset();
}

void ShellFixture::writeProfile(const QMap<int, QString> &urls, const QMap<int, QString> &flags,
                                int refreshMinutes)
{
    QStringList lines;
    for (int t = 1; t <= 30; ++t) {
        const QString f = flags.value(t);
        lines << urls.value(t) << QStringLiteral("Name%1").arg(t)
              << printNumber(f.contains(QLatin1Char('P')) ? -1 : 0)
              << printNumber(f.contains(QLatin1Char('R')) ? -1 : 0) << printNumber(refreshMinutes)
              << printNumber(f.contains(QLatin1Char('N')) ? -1 : 0);
    }
    writeTextFile(home.file("Setup.set"), lines);
}

QStringList ShellFixture::messageTexts() const
{
    QStringList texts;
    for (const auto &m : prompts.messages())
        texts << m.text;
    return texts;
}

}  // namespace pelquin::test
