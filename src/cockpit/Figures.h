// The flight figures and the messages in a corner of the main window.
#pragma once

#include <string>

// Draws the figures (with figures_enable) and the messages due, in the main window's corner.
void draw_figures();
// A touch-down on the gear: "LANDED" shows with the figures.
void note_landing();
// Where F12 saved the picture, shown for two seconds whatever the setting.
void note_screenshot(const std::string& where);
