// The real flight model's instruments, drawn over the main window as a head-up display in the
// program's font and thin lines: speed and altitude tapes, the artificial horizon with its pitch
// ladder and bank scale, the heading, the climb rate, the engine, flaps, gear, elevator and trim,
// and the stall warning.
#pragma once

// Draws the display from the aircraft's state, which it only reads; gives the GL state back.
void draw_instruments();
