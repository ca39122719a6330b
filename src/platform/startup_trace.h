#pragma once

namespace pelquin {

// Marks on the way from process start to the first pages (and a few later ones worth timing,
// such as the wall of tabs), printed on standard error with the time since the process
// started when PELQUIN_TRACE_STARTUP is set; nothing otherwise.
// The first mark of each name is printed, later ones are not.
void traceStartup(const char *mark);

}  // namespace pelquin
