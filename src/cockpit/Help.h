// Notices over the main window, in the program's font on a dark translucent panel: the key
// table (H) and the pause notice (P).
#pragma once

// The key table, centred over the window.
void draw_help();
// "PAUSED" at the top of the window, below the warnings and above the key table.
void draw_paused();
