#include "core/tab_settings.h"

#include "platform/app_folder.h"
#include "platform/basic_text.h"
#include "platform/error_report.h"
#include "platform/text_file.h"
#include "sponsor/sponsor_site.h"

namespace pelquin {

namespace {

bool readFlag(LineReader &lines)
{
    return basicVal(lines.next()) == -1.0;
}

QString flagLine(bool flag)
{
    return printNumber(flag ? -1 : 0);
}

}  // namespace

void readProfile(const QString &path, TabSettings &settings)
{
    LineReader lines(path);
    for (int tab = 1; tab <= kTabCount; ++tab) {
        TabSetting &s = settings[tab];
        s.startUrl = lines.next();
        s.tabName = lines.next();
        s.pauseWhileLoading = readFlag(lines);
        s.autoRefresh = readFlag(lines);
        s.refreshMinutes = toInt16(basicVal(lines.next()));
        s.openNewBrowser = readFlag(lines);
    }
}

void writeProfile(const QString &path, const TabSettings &settings)
{
    QStringList lines;
    lines.reserve(kTabCount * 6);
    for (int tab = 1; tab <= kTabCount; ++tab) {
        const TabSetting &s = settings[tab];
        lines << s.startUrl << s.tabName << flagLine(s.pauseWhileLoading)
              << flagLine(s.autoRefresh) << printNumber(s.refreshMinutes)
              << flagLine(s.openNewBrowser);
    }
    writeTextFile(path, lines);
}

void readStartupProfile(TabSettings &settings, const SponsorSite &sponsor, ErrorReporter &errors)
{
    Trap(errors, QStringLiteral(" At ReadSetup"), {}, {err::FileNotFound}).step([&] {
        readProfile(settings.profilePath, settings);
    });
    settings[1].startUrl = sponsor.welcomeUrl();
    settings[1].tabName = QStringLiteral("Pelquin");
    settings[2].startUrl = sponsor.searchFormUrl();
    settings[2].tabName = QStringLiteral("Search");
}

void readProfileForSetup(TabSettings &settings, ErrorReporter &errors)
{
    Trap(errors, QStringLiteral(" At readsetupfile")).step([&] {
        readProfile(settings.profilePath, settings);
    });
}

QString chosenProfilePath(const QString &appFolder, const QString &profileName)
{
    if (profileName.trimmed().isEmpty())
        return appFile(appFolder, QStringLiteral("Setup.set"));
    return appFile(appFolder, profileName);
}

}  // namespace pelquin
