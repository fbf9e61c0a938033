// The flight figures and the messages in a corner of the main window, and the figures' readings
// that the options window shares.
#pragma once

#include <string>

// Draws the figures (with figures_enable) and the message due, in the main window's corner.
void draw_figures();
// Shows `text` on the message line, whatever the figures setting, for `seconds` of the frame
// clock, in place of the message before; `detail` follows it, cut at its front where the line
// has no room for all of it (a text too long for the line is cut at its end). Messages that
// stderr also says go here too, for a player who started the program without a console.
void note_message(const std::string& text, float seconds = 8, const std::string& detail = "");
// The message on the line now, text and detail whole, or "" when none is due.
std::string message_shown();
// Takes a problem with the game data that start-up found as the message, once. The frame loop
// calls it each pass: before the first, the frame time still stands where the clock started,
// however long start-up took after that.
void note_data_problem();
// Where F12 saved the picture, shown for two seconds.
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
