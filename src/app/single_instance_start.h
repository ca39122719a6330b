#pragma once

namespace pelquin {

class ErrorReporter;
class Prompts;
class SingleInstance;
struct Session;

// The program's start before the main window: the platform probe, the refusal of a second
// instance and the start-up notice from STD.DAT. False when the program must end.
bool startSingleInstance(Session &session, SingleInstance &instance, Prompts &prompts,
             ErrorReporter &errors);

}  // namespace pelquin
