// Freed memory handed back to the system.
#pragma once

#include <cstdint>

// At most once every few seconds of the counter (`frequency` ticks a second): gives the system
// back the whole pages of memory that lie free inside the heap. The GL driver compiles a shader
// for each new combination of drawing state in many megabytes of short-lived memory and keeps a
// little of it; the allocator can shrink its heap only from the top, so without this the freed
// pages below what was kept stay counted as the program's for the rest of the run.
void return_freed_memory(int64_t now, int64_t frequency);
