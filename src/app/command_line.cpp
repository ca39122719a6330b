#include "app/command_line.h"

#include "core/typed_address.h"
#include "watch/watch_options.h"
#include "platform/app_folder.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>

#ifndef PELQUIN_VERSION
#define PELQUIN_VERSION "0"
#endif

namespace pelquin {

namespace {

bool hasScheme(const QString &argument)
{
    // As typed addresses read them: "host:8080" is a host with a port, not a scheme.
    static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]+:"));
    static const QRegularExpression port(QStringLiteral("^[A-Za-z0-9.-]+:[0-9]+([/?#]|$)"));
    return scheme.match(argument).hasMatch() && !port.match(argument).hasMatch();
}

bool looksLikeHostName(const QString &argument)
{
    static const QRegularExpression host(QStringLiteral(
        "^(localhost|[A-Za-z0-9-]+(\\.[A-Za-z0-9-]+)+)(:[0-9]{1,5})?([/?#].*)?$"));
    const QRegularExpressionMatch match = host.match(argument);
    // A name ending in .set is a profile's, even when the file is missing.
    return match.hasMatch() &&
           !match.captured(1).endsWith(QStringLiteral(".set"), Qt::CaseInsensitive);
}

bool isLocalPage(const QFileInfo &file)
{
    const QString suffix = file.suffix().toLower();
    return file.isFile() && (suffix == QStringLiteral("htm") || suffix == QStringLiteral("html"));
}

bool isProfile(const QString &name, const QString &appFolder)
{
    return !name.trimmed().isEmpty() && !appFolder.isEmpty() &&
           QFileInfo(appFile(appFolder, name)).isFile();
}

}  // namespace

CommandLine classifyArguments(const QStringList &arguments, const QString &appFolder,
                              const QString &workingFolder)
{
    CommandLine line;
    if (std::any_of(arguments.begin(), arguments.end(), isRemoteOption)) {
        line.remote = parseRemoteCommand(arguments, workingFolder);
        line.error = line.remote->error;
        return line;
    }
    QStringList words;
    for (const QString &argument : arguments) {
        if (argument == QStringLiteral("--help") || argument == QStringLiteral("-h")) {
            line.help = true;
        } else if (argument == QStringLiteral("--version")) {
            line.version = true;
        } else if (argument == QStringLiteral("--private")) {
            line.privateRun = true;
        } else if (argument == QStringLiteral("--rotate") ||
                   argument.startsWith(QStringLiteral("--rotate="))) {
            bool number = false;
            const int seconds = argument.section(QLatin1Char('='), 1).toInt(&number);
            if (number && seconds >= kMinRotateSeconds && seconds <= kMaxRotateSeconds)
                line.rotateSeconds = seconds;
            else
                line.error = QStringLiteral("--rotate needs a number of seconds from %1 to %2, "
                                            "for example --rotate=30.")
                                 .arg(kMinRotateSeconds)
                                 .arg(kMaxRotateSeconds);
        } else if (argument.startsWith(QStringLiteral("--"))) {
            line.error = QStringLiteral("Unknown option %1; pelquin --help lists the options.")
                             .arg(argument);
        } else if (const QFileInfo file(QDir(workingFolder), argument); isLocalPage(file)) {
            line.addresses << file.absoluteFilePath();
        } else if (hasScheme(argument) || (!isProfile(argument, appFolder) &&
                                           looksLikeHostName(argument))) {
            (mayOpenFromOutside(argument) ? line.addresses : line.refused) << argument;
        } else {
            words << argument;
        }
    }
    line.profile = words.join(QLatin1Char(' '));
    const bool named = line.profile.trimmed().endsWith(QStringLiteral(".set"),
                                                       Qt::CaseInsensitive);
    if (!line.profile.isEmpty() && !named && !isProfile(line.profile, appFolder) &&
        isSearchText(line.profile)) {
        // Words that name no profile are searched for, as in an address box.
        line.addresses << line.profile;
        line.profile.clear();
    }
    if (!line.profile.isEmpty() && !named && !isProfile(line.profile, appFolder) &&
        line.error.isEmpty()) {
        line.error = QStringLiteral("\"%1\" is neither a profile in %2 nor an address.")
                         .arg(line.profile, appFolder);
    }
    return line;
}

QString usageText()
{
    return QStringLiteral(
        "Usage: pelquin [options] [profile] [address...]\n"
        "\n"
        "A tabbed web browser with 30 tabs.\n"
        "\n"
        "  profile    a setup profile in the application folder, for example work.set;\n"
        "             without one, Setup.set is used\n"
        "  address    a web address (https://example.org/, example.org) or a local .htm or\n"
        "             .html file; each opens in the next tab after tabs 1 and 2 that shows\n"
        "             no page. When Pelquin already runs on the same application folder,\n"
        "             the running program opens them and this one ends.\n"
        "\n"
        "Options:\n"
        "  --private         a run that keeps nothing: no history, cookies, cache or\n"
        "                    window placement are written; it runs beside another Pelquin\n"
        "  --rotate=SECONDS  show each tab that has a page in turn, one every SECONDS\n"
        "                    (5 to 3600); a key or click of yours pauses it for a minute\n"
        "  -h, --help        show this text and end\n"
        "  --version         show the version and end\n"
        "\n"
        "Commands for the Pelquin already running on the same application folder (each\n"
        "answers on standard output and ends with 0, or says why not and ends with 2):\n"
        "  --status               the 30 tabs as JSON: number, caption, address, loading,\n"
        "                         changed, alerted, health and the time of the last change\n"
        "  --tab N ADDRESS        loads the address into tab N\n"
        "  --select N             selects tab N\n"
        "  --refresh N            refreshes tab N; --refresh all, every tab with a page\n"
        "  --show ADDRESS --for SECONDS\n"
        "                         shows the address for SECONDS (1 to 3600), then the tab\n"
        "                         shown before, as it was\n"
        "  --picture N FILE.png   writes the latest picture of tab N's page\n"
        "\n"
        "Environment:\n"
        "  PELQUIN_HOME          the application folder (default ~/.local/share/pelquin);\n"
        "                        the commands above reach the Pelquin running on it\n"
        "  XDG_CONFIG_HOME       where pelquin/pelquin.conf lives (default ~/.config)\n"
        "  PELQUIN_SPONSOR_HOST  the sponsor site's host and port\n"
        "                        (default pelquin.localhost:8470)\n"
        "  QTWEBENGINE_CHROMIUM_FLAGS  extra options for the browser engine\n");
}

QString versionText()
{
    return QStringLiteral("pelquin %1\n").arg(QStringLiteral(PELQUIN_VERSION));
}

}  // namespace pelquin
