#include "app/remote_command.h"

#include "core/tab_state.h"
#include "core/typed_address.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>

namespace pelquin {

namespace {

using Kind = RemoteCommand::Kind;

const QString kStatus = QStringLiteral("--status");
const QString kTab = QStringLiteral("--tab");
const QString kSelect = QStringLiteral("--select");
const QString kRefresh = QStringLiteral("--refresh");
const QString kShow = QStringLiteral("--show");
const QString kFor = QStringLiteral("--for");
const QString kPicture = QStringLiteral("--picture");
const QString kAll = QStringLiteral("all");

// How each command is written, for the message that says it was not.
QString formOf(Kind kind)
{
    switch (kind) {
    case Kind::Status: return QStringLiteral("pelquin --status");
    case Kind::LoadTab: return QStringLiteral("pelquin --tab N ADDRESS");
    case Kind::Select: return QStringLiteral("pelquin --select N");
    case Kind::Refresh: return QStringLiteral("pelquin --refresh N, or --refresh all");
    case Kind::Show: return QStringLiteral("pelquin --show ADDRESS --for SECONDS");
    case Kind::Picture: return QStringLiteral("pelquin --picture N FILE.png");
    }
    return {};
}

// A whole number from `low` to `high` written in digits only; 0 otherwise.
int numberIn(const QString &text, int low, int high)
{
    static const QRegularExpression digits(QStringLiteral("^[0-9]{1,6}$"));
    if (!digits.match(text).hasMatch())
        return 0;
    const int number = text.toInt();
    return number >= low && number <= high ? number : 0;
}

QString pathFor(const QString &name, const QString &workingFolder)
{
    if (workingFolder.isEmpty())
        return QFileInfo(name).isAbsolute() ? QDir::cleanPath(name) : QString();
    return QFileInfo(QDir(workingFolder), name).absoluteFilePath();
}

bool isLocalPage(const QString &path)
{
    const QFileInfo file(path);
    const QString suffix = file.suffix().toLower();
    return file.isFile() && (suffix == QStringLiteral("htm") || suffix == QStringLiteral("html"));
}

// The address as it is sent, or empty when it may not be opened from outside.
QString addressFor(const QString &argument, const QString &workingFolder)
{
    const QString text = cleanAddressText(argument);
    if (text.isEmpty())
        return {};
    if (const QString path = pathFor(text, workingFolder); !path.isEmpty() && isLocalPage(path))
        return path;
    if (isSearchText(text) || !mayOpenFromOutside(text))
        return {};
    return text;
}

RemoteCommand failed(const QString &error)
{
    RemoteCommand command;
    command.error = error;
    return command;
}

}  // namespace

bool isRemoteOption(const QString &argument)
{
    static const QStringList options{kStatus, kTab, kSelect, kRefresh, kShow, kFor, kPicture};
    return options.contains(argument);
}

QStringList RemoteCommand::words() const
{
    switch (kind) {
    case Kind::Status: return {kStatus};
    case Kind::LoadTab: return {kTab, QString::number(tab), address};
    case Kind::Select: return {kSelect, QString::number(tab)};
    case Kind::Refresh: return {kRefresh, tab == 0 ? kAll : QString::number(tab)};
    case Kind::Show: return {kShow, address, kFor, QString::number(seconds)};
    case Kind::Picture: return {kPicture, QString::number(tab), file};
    }
    return {};
}

RemoteCommand parseRemoteCommand(const QStringList &arguments, const QString &workingFolder)
{
    static const QHash<QString, Kind> kinds{
        {kStatus, Kind::Status}, {kTab, Kind::LoadTab},   {kSelect, Kind::Select},
        {kRefresh, Kind::Refresh}, {kShow, Kind::Show}, {kFor, Kind::Show},
        {kPicture, Kind::Picture}};
    static const QHash<Kind, int> lengths{{Kind::Status, 1}, {Kind::LoadTab, 3},
                                          {Kind::Select, 2}, {Kind::Refresh, 2},
                                          {Kind::Show, 4},   {Kind::Picture, 3}};
    const QString option = arguments.value(0);
    if (!kinds.contains(option))
        return failed(QStringLiteral("Unknown command %1; pelquin --help lists the commands.")
                          .arg(option));
    RemoteCommand command;
    command.kind = kinds.value(option);
    const QString form = formOf(command.kind);
    if (command.kind == Kind::Show && !(arguments.contains(kShow) && arguments.contains(kFor)))
        return failed(QStringLiteral("--show needs --for and the seconds to show the address: "
                                     "%1.").arg(form));
    if (arguments.size() != lengths.value(command.kind))
        return failed(QStringLiteral("This command is written %1, and alone.").arg(form));

    if (command.kind == Kind::Show) {
        const int show = arguments.indexOf(kShow);
        const int seconds = arguments.indexOf(kFor);
        if (show % 2 || seconds % 2)
            return failed(QStringLiteral("This command is written %1.").arg(form));
        command.address = arguments.at(show + 1);
        command.seconds = numberIn(arguments.at(seconds + 1), 1, RemoteCommand::kMaxShowSeconds);
        if (command.seconds == 0)
            return failed(QStringLiteral("--for needs a number of seconds from 1 to %1, not "
                                         "\"%2\".")
                              .arg(RemoteCommand::kMaxShowSeconds)
                              .arg(arguments.at(seconds + 1)));
    } else if (command.kind != Kind::Status) {
        const QString number = arguments.at(1);
        const bool all = command.kind == Kind::Refresh && number == kAll;
        command.tab = all ? 0 : numberIn(number, 1, kTabCount);
        if (!all && command.tab == 0)
            return failed(QStringLiteral("%1 needs a tab number from 1 to %2, not \"%3\": %4.")
                              .arg(option)
                              .arg(kTabCount)
                              .arg(number, form));
    }

    if (command.kind == Kind::LoadTab)
        command.address = arguments.at(2);
    if (command.kind == Kind::LoadTab || command.kind == Kind::Show) {
        const QString given = command.address;
        command.address = addressFor(given, workingFolder);
        if (command.address.isEmpty())
            return failed(QStringLiteral("\"%1\" is not opened: only web addresses and local "
                                         "pages.")
                              .arg(given));
    }
    if (command.kind == Kind::Picture) {
        const QString name = arguments.at(2);
        if (!name.endsWith(QStringLiteral(".png"), Qt::CaseInsensitive) ||
            name.contains(QLatin1Char('\n')) || name.contains(QLatin1Char('\r')))
            return failed(QStringLiteral("--picture writes a PNG file: its name ends in .png."));
        command.file = pathFor(name, workingFolder);
        if (command.file.isEmpty())
            return failed(QStringLiteral("--picture needs the picture file's whole path."));
    }
    return command;
}

}  // namespace pelquin
