// Notices over the main window, in the program's font on a dark translucent panel: the key
// table (H) and the pause notice (P).
#pragma once

// A rectangle in the current colour, untextured and unlit, in the 1024 by 768 frame the font is
// placed in (for the panels behind text).
void text_rect(float left, float bottom, float right, float top);
// The key table, centred over the window.
void draw_help();
// "PAUSED" at the top of the window, below the warnings and above the key table.
void draw_paused();
