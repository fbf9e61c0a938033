// The flight figures and the messages in a corner of the main window, and the figures' readings
// that the options window shares.
#pragma once

#include <string>

// Draws the figures (with figures_enable) and the messages due, in the main window's corner.
void draw_figures();
// Where F12 saved the picture, shown for two seconds whatever the setting.
void note_screenshot(const std::string& where);
// Why F12's picture was not saved, shown the same way.
void note_screenshot_failed(const std::string& why);

// A height and the frame time it was read at, for the climb rate between two readings.
struct HeightReading {
    float time = 0, height = 0;
};
// The climb in units a second since `last` (0 when no time has passed); `last` becomes now.
float climb_since(HeightReading& last);
// The heading in whole degrees, 0 to 359, clockwise from the runway's direction.
int heading_degrees();
