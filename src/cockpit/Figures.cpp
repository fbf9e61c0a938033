#include "cockpit/Figures.h"

#include <cmath>
#include <cstdint>
#include <cstdio>

#include "aircraft/Collision.h"
#include "aircraft/FlightModel.h"
#include "aircraft/FlightState.h"
#include "cockpit/Help.h"
#include "core/Settings.h"
#include "core/Timer.h"
#include "platform/DataDir.h"
#include "platform/GL.h"
#include "resources/Fonts.h"

float climb_since(HeightReading& last)
{
    const float elapsed = t.Time - last.time;
    const float climb = elapsed > 0 ? (world_y - last.height) / elapsed : 0;
    last = {t.Time, world_y};
    return climb;
}

int heading_degrees() { return int(std::lround(360 - head_yaw)) % 360; }

namespace {

// Places in the font's 1024 by 768 frame, where a glyph is 16 square. The lines keep above the
// key table (up to 650) and, up to 712, left of the pause notice (from 432); the top line keeps
// left of the warnings (from 424 across, 752 up). The message line, between the pause notice
// and the warnings, may run across the whole width.
const int margin = 8, cell = 16, line_pitch = 18;
const int figures_cells = 14;  // "Altitude 12345"
const int message_line = 1, state_line = 5;

// Text's lower-left corner on the line `i` from the top.
int line_y(int i) { return 748 - i * line_pitch; }

// The panel behind a line, from `left` to `right`, abutting the lines above and below.
void panel(int left, int right, int line)
{
    glColor4f(0, 0, 0, 0.65f);
    text_rect(float(left), float(line_y(line) - 2), float(right), float(line_y(line) + 16));
}

// The message, its text and detail, shown from the frame time `noted_at` of the frame clock
// started at `message_clock`, for message_seconds.
std::string message, message_detail;
float noted_at = 0, message_seconds = 0;
int64_t message_clock = -1;

// The climb rate, read again four times a second, as the options window reads it.
HeightReading climb_reading;
float climb_shown = 0;
int64_t climb_clock = -1;

bool message_due()
{
    const float age = t.Time - noted_at;
    return message_clock == t.TimeStart && age >= 0 && age < message_seconds;
}

float climb()
{
    const float age = t.Time - climb_reading.time;
    if (climb_clock != t.TimeStart || age < 0) {
        climb_reading = {t.Time, world_y}, climb_clock = t.TimeStart, climb_shown = 0;
    } else if (age >= 0.25f) {
        climb_shown = climb_since(climb_reading);
    }
    return climb_shown;
}

// "CRASHED – R to start again" on its panel: the font has no dash, so a bar stands for it.
void draw_crashed()
{
    const int y = line_y(state_line), dash = margin + 7 * cell + 12, rest = dash + 26;
    panel(0, rest + 16 * cell + margin, state_line);
    glColor4f(1, 0.45f, 0.35f, 1);
    glPrint(margin, y, "CRASHED", 1);
    text_rect(float(dash), y + 6.5f, float(dash + 14), y + 9.5f);
    glPrint(rest, y, "R to start again", 0);
}

void draw_figure_lines()
{
    char lines[5][32];
    std::snprintf(lines[0], sizeof lines[0], "Speed    %5.1f", double(air_speed()));
    std::snprintf(lines[1], sizeof lines[1], "Altitude %5.0f", double(world_y));
    std::snprintf(lines[2], sizeof lines[2], "Heading    %03d", heading_degrees());
    std::snprintf(lines[3], sizeof lines[3], "Climb    %5.1f", double(climb()));
    std::snprintf(lines[4], sizeof lines[4], "Throttle  %3.0f%%", throttle_percent());
    const int right = margin + figures_cells * cell + margin;
    for (int i = 0; i < 5; ++i) panel(0, right, i);
    glColor4f(1, 1, 1, 1);
    for (int i = 0; i < 5; ++i) glPrint(margin, line_y(i), lines[i], 0);

    if (explo_enable) {
        draw_crashed();
    } else if (landed) {
        panel(0, margin + 6 * cell + margin, state_line);
        glColor4f(0.45f, 1, 0.45f, 1);
        glPrint(margin, line_y(state_line), "LANDED", 1);
    }
}

// The message on its line, beside the figures or in the corner, its detail cut at the front to
// fit, or else the text cut at its end.
void draw_message()
{
    const int left = figures_enable ? margin + figures_cells * cell + margin : 0;
    const size_t cells = size_t((1024 - left - 2 * margin) / cell);
    std::string text = message + message_detail;
    if (text.size() > cells)
        text = message.size() + 3 < cells
                   ? message + "..." + message_detail.substr(text.size() - cells + 3)
                   : message.substr(0, cells - 3) + "...";
    panel(left, left + margin + int(text.size()) * cell + margin, message_line);
    glColor4f(1, 1, 1, 1);
    glPrint(left + margin, line_y(message_line), text.c_str(), 0);
}

}  // namespace

void draw_figures()
{
    const bool message_shown = message_due();
    if (!figures_enable && !message_shown) return;
    glPushAttrib(GL_ENABLE_BIT | GL_COLOR_BUFFER_BIT | GL_CURRENT_BIT);
    if (figures_enable) draw_figure_lines();
    if (message_shown) draw_message();
    glPopAttrib();
}

void note_message(const std::string& text, float seconds, const std::string& detail)
{
    message = text, message_detail = detail, message_seconds = seconds;
    noted_at = t.Time, message_clock = t.TimeStart;
}

std::string message_shown() { return message_due() ? message + message_detail : ""; }

void note_data_problem()
{
    const std::string problem = take_data_problem();
    if (!problem.empty()) note_message(problem);
}

void note_screenshot(const std::string& where) { note_message("Screenshot: ", 2, where); }

void note_screenshot_failed(const std::string& why)
{
    note_message("Screenshot not saved: ", 2, why);
}
