#pragma once

#include <QKeySequence>
#include <QString>
#include <QStyle>

#include <optional>
#include <vector>

namespace pelquin {

// Every command of the main window, whatever starts it: the speed menu, a button, a key.
enum class Command {
    OpenLocation, Back, Forward, Stop, Refresh, Home, Search, Favorites, History, Print,
    Setup, Goto, Help, Downloads, InternetOptions, SavePage, WorkOffline, HideButtons,
    HideAddressBar, HideStatusBar, ExpertMode, SendEmail, WallOfTabs, NextChangedTab,
    WhatChanged, WatchSettings,
    // Keys only.
    ReloadPastCache, NextTab, PreviousTab, SelectTab, LastTab, AddFavorite, Find, FindNext,
    FindPrevious, ZoomIn, ZoomOut, ZoomReset, NewTab, EmptyTab, Quit, ViewSource, FullScreen,
    Count  // not a command: the number of them
};

// Where a command came from: an open Setup dialog holds some back from a button or a key.
enum class CommandSource { Menu, Button, Key };

// A key and what it runs; `tab` is SelectTab's tab number.
struct KeyBinding {
    QKeySequence keys;
    int tab = 0;
};

// One row of the table: everything about a command but its handler, which the window binds.
// Rows are written with designated initializers; what a row leaves out is off or empty.
struct CommandRow {
    Command command;
    QString menuText;              // with its access letter; empty: not in the speed menu
    bool separatorBefore = false;  // in the speed menu
    int button = 0;                // its place on the button bar, 1 to 12; 0: none
    QString buttonText;
    QStyle::StandardPixmap buttonPicture = QStyle::SP_CustomBase;
    bool heldBySetup = false;      // an open Setup dialog holds it back from a button or key
    std::vector<KeyBinding> keys;  // in the order the help lists them
    QString keyHelp;               // what the help says the keys do
    // Keys the key preview handles itself (F1): listed, but not in the key map.
    bool keysSeenByPreview = false;
    // What the help's list of the speed menu says of the item; empty: not listed.
    QString menuHelp;
};

// The table, in the speed menu's order; the key-only commands come last.
const std::vector<CommandRow> &commandTable();
const CommandRow &commandRow(Command command);
// The command of button `index` (1 to 12), if any.
std::optional<Command> commandOfButton(int index);

struct CommandCall {
    Command command;
    int tab = 0;
};
// The command of a key press; none for keys that stay with the page or the address box.
std::optional<CommandCall> commandForKey(int qtKey, Qt::KeyboardModifiers modifiers);
// The help screen's section on the keys, made from the table.
QString keyHelp();
// The help screen's list of the speed menu's items, made from the table.
QString speedMenuHelp();
// The menu text without its access letter's mark: "Se&tup" is "Setup".
QString withoutAccessMark(const QString &menuText);

}  // namespace pelquin
