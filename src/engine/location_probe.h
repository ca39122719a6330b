#pragma once

#include <functional>

class QObject;

namespace pelquin {

// Calls `done` with whether this computer has a source of positions the engine can use
// (asked once a run, within a few seconds), unless `context` is gone by then.
void whenLocationKnown(QObject *context, std::function<void(bool available)> done);

}  // namespace pelquin
