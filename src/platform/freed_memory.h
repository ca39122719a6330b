#pragma once

namespace pelquin {

// Hands memory the program has freed back to the system. After a burst of large temporary
// buffers (pictures of pages) the C library keeps several megabytes it will never need
// again; this returns them. Costs a few milliseconds: call it after such a burst only.
void returnFreedMemory();

}  // namespace pelquin
