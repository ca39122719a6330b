#include "shell/help_text.h"

#include "commands/command_table.h"

namespace pelquin {

namespace {

// Plain ASCII, one caption line, then sections: a title line, a line of "=" as long as the
// title, and paragraphs separated by blank lines. The help screen shows it as it is, so
// lines are kept short enough for its text box.
constexpr char kHelpText[] = R"help(Pelquin 2000 Browser

Introduction
============

Welcome to Pelquin, a tabbed web browser that keeps up to 30 pages open side by side in
one window.

Pelquin is free to use. In return, it directs you to its sponsor's web sites when it
starts: tab 1 ("Pelquin") and tab 2 ("Search") always open on the sponsor's pages. You
cannot change these two tabs in Setup, but you can browse anywhere from them, just as
from any other tab.

This screen appears at start-up while the box "Always show this screen on startup." is
ticked. Untick it and press Ok if you do not want to see it at start-up. You can open it
at any time with the F1 key, the Help button, or Help in the speed menu.

Tabbed Interface
================

Pelquin has 30 tabs along the top of its window. Every tab has its own page and its own
address bar, and every tab keeps loading in the background while you look at another
one. Click a tab to bring it to the front. A small world picture appears on a tab when
its page has finished loading. Rest the mouse on a tab to see its number and its
address.

To open a page, type its address in the address bar and press Enter, or pick a site from
the address bar's list. As you type, Pelquin completes the address from the sites you
have entered before; Delete or Backspace stops the completion for that key. The Up,
Down, Page Up and Page Down keys in the address bar scroll the page.

You can drag a link from a page, or from another program, and drop it on a tab: the page
opens in that tab and the tab comes to the front. Hold Shift while you drop to keep the
current tab in front; the page then loads in the background. A link dropped on the
address bar opens in the current tab.

The Goto Tab button, or Goto in the speed menu, lists all 30 tabs by number and name so
that you can pick one. Press the right mouse button on the tabs to open the speed menu.

Setup
=====

Setup lets you decide what each tab does. Open it with the Setup button on the button
bar or with Setup in the speed menu. The Setup window stays on top of the main window,
and you can go on browsing while it is open.

The tabs are set on three pages, "Tabs 1 - 10", "Tabs 11 - 20" and "Tabs 21 - 30", with
one row for each tab. The columns are:

  Tab Startup URL: the tab's home page, loaded when Pelquin starts and by the Home
      button.
  Tab Name: a name of up to 12 characters, shown on the tab while it shows pages of its
      home site. Other sites get a short name made from their address.
  Pause as other windows load: see "Setup - Pause as Home pages load".
  Automatic Page Refresh and Refresh Interval (in minutes): see "Setup - Auto-refresh".
  Open a new Browser: see "Setup - Open a new browser".

The rows of tabs 1 and 2 are greyed out: they belong to the sponsor and cannot be
changed. When you give a tab a new Tab Startup URL and press Ok, that tab loads its new
home page.

While Setup is open, the Favorites, Print, Goto Tab and Help buttons of the button bar
do nothing, and Pelquin cannot be closed until you close Setup. The Help button inside
Setup shows this screen.

Setup
=====

Ok keeps your changes and saves them in Setup.set, the default profile in Pelquin's
application folder (~/.local/share/pelquin, or the folder named by the PELQUIN_HOME
environment variable), or in the profile named on the command line if Pelquin was
started with one. Cancel closes Setup without keeping your changes.

Save stores the settings in a profile file of your own (a .set file) and puts them to
use at once. Load reads a profile file: its settings take effect at once, and when you
close Setup every tab loads its home page again.

After a Load, Ok asks whether to overwrite Setup.set. Answer Yes to make the settings
shown in Setup (the loaded ones, with any changes you made) your default for every
start. Answer No to leave Setup.set as it was; Pelquin then uses the loaded profile
until you quit.

To start Pelquin with another profile, give its file name on the command line, for
example "pelquin work.set". Pelquin looks for the file in its application folder.

Setup - Pause as Home pages load
================================

Normally, when Pelquin starts, every tab begins to load its home page at once. A tab
with "Pause as other windows load" ticked waits instead until the tabs that have already
started have finished loading. On a slow connection your pages then arrive one after
another rather than all together.

A page that has not finished loading within about two minutes no longer holds up the
tabs that are waiting.

Setup - Auto-refresh
====================

Tick "Automatic Page Refresh" for a tab, then set "Refresh Interval (in minutes)" from 0
to 99 with the arrows or by typing digits. Ticking the box sets the interval to 0 first.
Pelquin then reloads that tab's page each time the interval has passed since the page
last loaded.

Pelquin checks every 20 seconds, so a refresh can come up to about 20 seconds late, and
an interval of 0 refreshes the page about every 20 seconds. A page that is still loading
is not refreshed. There is no automatic refresh while Setup, this Help screen or the
Favorites question is open, or while Pelquin works offline; it goes on when they close.

Setup - Open a new browser
==========================

Many pages try to open extra windows, usually pop-ups that you did not ask for. Pelquin
normally refuses them with a beep; when the status bar shows a web address (usually that
of the link you clicked), that page opens in the same tab instead.

Tick "Open a new Browser" only for a tab whose pages really need a window of their own.
Pages in that tab may then open their own windows, outside Pelquin's tabs. Pelquin asks
you to confirm before it ticks this box.

Setup - Drag and Drop
=====================

While Setup is open you can copy a tab of the main window into a row of Setup. Click the
tab, then press the mouse button on it again and drag it onto the "Tab Startup URL" box
of a row. That row takes the address shown in the tab's address bar and the tab's name.
Press Ok to keep it.

Dropping the tab anywhere else simply ends the drag.

Setup - Erase Drop Down Combo Site History
==========================================

The address bars remember the sites you have entered. The button "Erase DropDown Combo
Site History" empties that list after asking you to confirm; what each address bar shows
at the moment stays. The emptied list is saved when Pelquin closes.

When the list grows beyond 50 sites, Pelquin offers at start-up to keep only the first
50, because a long list slows loading.

Hover Over Home Button
======================

Rest the mouse on the Home button of the button bar to see the home page (the Tab
Startup URL) of the current tab. Clicking Home loads that page; a tab without a home
page ignores Home.

Mail Icon
=========

Pelquin's button bar has no mail button. To read and send email, choose "Send and
receive email" in the speed menu: it starts your desktop's default mail program, the one
that handles mailto links. If no default mail program is set, nothing happens.

Work Online / Offline
=====================

Choose "Work Offline" in the speed menu to stop Pelquin from fetching pages from the
network. Pages that are still loading stop, and a check mark appears next to "Work
Offline". Choose it again to work online.

While Pelquin works offline, automatic refresh and the loading of home pages wait until
you work online again.

Using the Shift Left and Shift Right Arrows
===========================================

While the keyboard is in the address bar, hold Shift (alone, without Ctrl or Alt) and
press the Left arrow to go to the tab on the left, or the Right arrow to go to the tab
on the right. This is a quick way to step through your tabs without the mouse.

Searching for text on a page
============================

Press Ctrl+F to look for text on the page of the current tab. Type the text in the Find
box and press Enter or "Find Next"; "Find Previous" goes back up the page. Every match is
highlighted, and "Not found" shows when the page does not hold the text. Close the box
to remove the highlight. The Find box stays open while you use the page.

To search the web instead, use the Search button or Search in the speed menu, which takes
you to the Search tab (tab 2).

Saving a page to Disk
=====================

Choose "Save Page to Disk" in the speed menu to save the current tab's page. A Save
dialog lets you choose the folder and the file name. If the page cannot be saved,
nothing happens.

Internet Options
================

"Internet Options" in the speed menu opens Pelquin's own Internet Options dialog for its
browser engine. There you can clear the cache, clear the cookies, turn JavaScript on or
off, turn images on or off, and set a proxy server.

Speed Menu
==========

The speed menu holds all of Pelquin's commands. Open it by pressing the right mouse
button on the tabs, or by pressing Alt and then M with no other key in between. It opens
where the mouse is. Its items, in order:

%SPEED_MENU%
On some systems the menu also has a History item. On Linux it does not, and the button
bar has no History button either.

Favorites are kept as Internet Shortcut files, normally in the folder Favorites inside
Pelquin's application folder. A page made for Pelquin can hide the speed menu; it then
does not open.

Expert Mode
===========

Full Screen Mode, also called Expert Mode, hides the button bar, the address bar and the
status bar and maximises the window, to give the page as much room as possible. The
Setup window has a button for it too, "Switch to Full Screen Mode". Hiding the three
bars one by one also puts Pelquin in Expert Mode, without maximising the window.

In Expert Mode the speed menu is still there: press the right mouse button on the tabs,
or Alt and then M. Use Open Location to type an address. To bring all three bars back,
choose "Leave Expert Mode" in the speed menu, or "Switch to Normal Mode" in Setup.

Pelquin remembers which bars are hidden and hides them again the next time it starts.
)help";

}  // namespace

QString helpText()
{
    // The menu's items and the keys come from the command table, so the help never lags it.
    return QString::fromLatin1(kHelpText).replace(QStringLiteral("%SPEED_MENU%"),
                                                  speedMenuHelp()) +
           keyHelp();
}

}  // namespace pelquin
