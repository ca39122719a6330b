#pragma once

namespace pelquin {

class Commands;
class MainWindow;

// Binds every command of the table that the window's parts carry out: the desktop's, the
// bars', full screen, help, Setup and downloads. The tabs' own are bound by Commands.
void bindWindowCommands(Commands &commands, MainWindow &window);

}  // namespace pelquin
