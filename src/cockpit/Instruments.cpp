#include "cockpit/Instruments.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "aircraft/FlightState.h"
#include "aircraft/RealFlight.h"
#include "cockpit/Figures.h"
#include "core/Global.h"
#include "core/StepClock.h"
#include "platform/GL.h"
#include "resources/Fonts.h"

namespace {

// Places in the font's 1024 by 768 frame, where a glyph is 16 square. The display keeps above
// the touch-down report's band and the simple model's overlay (up to 200), below the pause
// notice (from 664) and right of the flight figures' corner; the controls' panel stands low on
// the left, below the figures.
const float glyph = 16;
const float centre_x = 512, centre_y = 400;  // the aircraft mark

// The pitch ladder: frame units per degree, how far from the mark its rungs show, degrees between
// rungs, and the rungs' and the horizon's reach each side of the mark, clear of it in the middle.
const float ladder_scale = 5, ladder_reach = 110;
const int rung_step = 10;
const float rung_gap = 30, rung_end = 80, horizon_gap = 56, horizon_end = 130;
const float bank_radius = 150;  // of the bank scale's arc
const int bank_ticks[] = {10, 20, 30, 45, 60};
// The aircraft, fixed on the display: its wings level, its nose a W between them.
const float aircraft_mark[7][2] = {{-48, 0}, {-18, 0}, {-9, -8}, {0, 0}, {9, -8}, {18, 0}, {48, 0}};

// Tapes: how far each reaches from its reading, the lengths of their ticks, and the box on the
// reading.
const float tape_reach = 120, short_tick = 8, long_tick = 14, box_height = 24;

// The elevator's scale: the centre, and the length each side that the controls' limit takes.
const float elevator_x = 232, elevator_y = 292, elevator_reach = 60;

const int stall_period = 40;  // steps of the stall warning's pulse

// The display's light green, at `alpha` (the text's brightness, since text adds to the picture).
void display_colour(float alpha = 1) { glColor4f(0.55f, 1, 0.6f, alpha); }

// Flat, blended drawing over the scene. glPrint switches lighting and depth testing back on, so
// every text is followed by this.
void flat()
{
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_LIGHTING);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_FOG);
    glDisable(GL_CULL_FACE);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
}

// The viewport's width and height in pixels.
void window_size(float& width, float& height)
{
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    width = float(viewport[2]), height = float(viewport[3]);
}

// A line's width in pixels: one at 480 lines, more in a taller window, so that lines keep their
// weight beside the stretched glyphs.
float line_width()
{
    float width, height;
    window_size(width, height);
    return std::max(1.0f, height / 480);
}

// The frame's y unit over its x unit on the screen: x stretched by it keeps turned shapes true
// in a window that is not 4 by 3.
float squeeze()
{
    float width, height;
    window_size(width, height);
    return (height / 768) / (width / 1024);
}

float text_width(const char* text) { return glyph * float(std::strlen(text)); }

// `text` in the current colour with its lower-left corner at (x, y).
void print(float x, float y, const char* text, int set = 0)
{
    glPrint(int(std::lround(x)), int(std::lround(y)), text, set);
    flat();
}

// A dark translucent rectangle behind a part of the display.
void shade(float left, float bottom, float right, float top, float alpha)
{
    glColor4f(0, 0, 0, alpha);
    glRectf(left, bottom, right, top);
}

// `text` centred on (x, y), on a dark backing.
void tag(float x, float y, const char* text)
{
    const float half = text_width(text) / 2;
    shade(x - half - 3, y - 11, x + half + 3, y + 11, 0.5f);
    display_colour();
    print(x - half, y - 8, text);
}

// The lines that `shape` draws, in the display's colour over a dark outline.
template <class Shape>
void outlined(Shape shape)
{
    const float width = line_width();
    glLineWidth(width + 2);
    glColor4f(0, 0, 0, 0.5f);
    shape();
    glLineWidth(width);
    display_colour();
    shape();
}

// A line's two ends, inside glBegin(GL_LINES).
void line(float x0, float y0, float x1, float y1)
{
    glVertex2f(x0, y0);
    glVertex2f(x1, y1);
}

// One primitive through the corners, x y.
template <int N>
void through(GLenum mode, const float (&corners)[N][2])
{
    glBegin(mode);
    for (const float* corner : corners) glVertex2fv(corner);
    glEnd();
}

// A rectangle's outline.
void outline(float left, float bottom, float right, float top)
{
    through<4>(GL_LINE_LOOP, {{left, bottom}, {right, bottom}, {right, top}, {left, top}});
}

// `text` centred in a framed box from (left, bottom), `width` wide.
void boxed(float left, float bottom, float width, const char* text)
{
    const float right = left + width, top = bottom + box_height;
    shade(left, bottom, right, top, 0.75f);
    outlined([&] { outline(left, bottom, right, top); });
    display_colour();
    print(left + (width - text_width(text)) / 2, bottom + 4, text);
}

using Number = char[12];  // a tape's or a rung's number

// A scale sliding past a fixed reading point at (x, y), where the value read stands. Vertical
// tapes grow upward, the others to the right. The ticks stand on `side` of the tape's line: 1
// right of a vertical tape or above a horizontal one, -1 left of a vertical one; a long one with
// its number every `numbered`.
struct Tape {
    float x, y;
    bool vertical;
    float side;
    float scale;     // frame units per unit of the value
    float depth;     // of the dark strip behind the ticks and numbers
    int tick, numbered;
    float hidden;    // numbers this near the reading point are left out, under its box
    void (*number)(int value, Number& text);  // an empty text leaves the number out
};

void draw_tape(const Tape& tape, float value)
{
    const auto x_of = [&](float along, float across) {
        return tape.x + (tape.vertical ? across : along);
    };
    const auto y_of = [&](float along, float across) {
        return tape.y + (tape.vertical ? along : across);
    };
    const float strip = tape.side * tape.depth;
    shade(x_of(-tape_reach, 0), y_of(-tape_reach, 0), x_of(tape_reach, strip),
          y_of(tape_reach, strip), 0.35f);
    const int first = int(std::ceil((value - tape_reach / tape.scale) / tape.tick)) * tape.tick;
    const auto along_of = [&](int v) { return (float(v) - value) * tape.scale; };
    outlined([&] {
        glBegin(GL_LINES);
        line(x_of(-tape_reach, 0), y_of(-tape_reach, 0), x_of(tape_reach, 0), y_of(tape_reach, 0));
        for (int v = first; along_of(v) <= tape_reach; v += tape.tick) {
            const float across = tape.side * (v % tape.numbered == 0 ? long_tick : short_tick);
            line(x_of(along_of(v), 0), y_of(along_of(v), 0), x_of(along_of(v), across),
                 y_of(along_of(v), across));
        }
        glEnd();
    });
    // The numbers beside a vertical tape's long ticks, centred over a horizontal tape's.
    display_colour();
    for (int v = first; along_of(v) <= tape_reach; v += tape.tick) {
        Number text;
        tape.number(v, text);
        if (v % tape.numbered != 0 || std::fabs(along_of(v)) < tape.hidden || !*text) continue;
        const float width = text_width(text), off = tape.side * (long_tick + 4);
        if (tape.vertical)
            print(tape.x + off - (tape.side < 0 ? width : 0), tape.y + along_of(v) - 8, text);
        else
            print(tape.x + along_of(v) - width / 2, tape.y + off, text);
    }
}

// One rung of the ladder at height y, `degrees` above the horizon: solid above it, dashed below,
// its ends bent toward it.
void rung(float y, int degrees)
{
    const float dash = degrees < 0 ? 14 : rung_end - rung_gap, space = 9;
    const float bend = degrees < 0 ? 8 : -8;
    for (float side : {-1.0f, 1.0f}) {
        for (float x = rung_gap; x < rung_end; x += dash + space)
            line(side * x, y, side * std::min(x + dash, rung_end), y);
        line(side * rung_end, y, side * rung_end, y + bend);
    }
}

// The ladder, its rungs' numbers upright at their turned ends, the bank scale with its pointer,
// and the aircraft mark, for `pitch` degrees nose up and `bank` degrees to the right.
void draw_attitude(float pitch, float bank)
{
    const float x_stretch = squeeze();
    const float lowest_shown = pitch - ladder_reach / ladder_scale;
    const int lowest = int(std::ceil(lowest_shown / rung_step)) * rung_step;
    const auto y_of = [&](int degrees) { return (float(degrees) - pitch) * ladder_scale; };
    const auto shown = [&](int degrees) {
        return y_of(degrees) <= ladder_reach && std::abs(degrees) <= 90;
    };
    glPushMatrix();
    glTranslatef(centre_x, centre_y, 0);
    glScalef(x_stretch, 1, 1);
    outlined([&] {
        glBegin(GL_LINES);  // the bank scale's arc of ticks
        for (int degrees : bank_ticks)
            for (float side : {-1.0f, 1.0f}) {
                const float a = side * float(dtr(degrees)), s = std::sin(a), c = std::cos(a);
                const float r = bank_radius + (degrees % 30 == 0 ? long_tick : short_tick);
                line(s * bank_radius, c * bank_radius, s * r, c * r);
            }
        glEnd();
        const float index_top = bank_radius + 12;  // the level mark, pointing down at the arc
        through<3>(GL_LINE_LOOP, {{0, bank_radius}, {-7, index_top}, {7, index_top}});
        through(GL_LINE_STRIP, aircraft_mark);
    });
    glRotatef(bank, 0, 0, 1);
    outlined([&] {
        glBegin(GL_LINES);
        for (int degrees = lowest; shown(degrees); degrees += rung_step) {
            if (degrees == 0) {
                line(-horizon_end, y_of(0), -horizon_gap, y_of(0));
                line(horizon_gap, y_of(0), horizon_end, y_of(0));
            } else {
                rung(y_of(degrees), degrees);
            }
        }
        glEnd();
        const float pointer_base = bank_radius - 14;  // the bank's pointer, up at the arc
        through<3>(GL_LINE_LOOP, {{0, bank_radius - 2}, {-7, pointer_base}, {7, pointer_base}});
    });
    glPopMatrix();

    const float a = float(dtr(bank)), s = std::sin(a), c = std::cos(a);
    for (int degrees = lowest; shown(degrees); degrees += rung_step) {
        if (degrees == 0) continue;
        Number text;
        std::snprintf(text, sizeof text, "%d", degrees);
        for (float side : {-1.0f, 1.0f}) {
            const float x = side * (rung_end + 22), y = y_of(degrees);
            tag(centre_x + x_stretch * (x * c - y * s), centre_y + x * s + y * c, text);
        }
    }
}

void altitude_number(int v, Number& text) { std::snprintf(text, sizeof text, "%d", v); }

// None below a standstill.
void speed_number(int v, Number& text)
{
    text[0] = 0;
    if (v >= 0) altitude_number(v, text);
}

// Tens of degrees, as on a compass card.
void heading_number(int v, Number& text)
{
    std::snprintf(text, sizeof text, "%02d", (v % 360 + 360) % 360 / 10);
}

void draw_speed_and_height()
{
    const float speed_x = 336, altitude_x = 688, box_bottom = centre_y - box_height / 2;
    char text[16];
    draw_tape({speed_x, centre_y, true, -1, 3, 70, 5, 10, 20, speed_number}, real_air_speed());
    std::snprintf(text, sizeof text, "%.0f", double(real_air_speed()));
    boxed(speed_x - 80, box_bottom, 80, text);
    tag(speed_x - 40, centre_y + tape_reach + 20, "SPD m/s");

    draw_tape({altitude_x, centre_y, true, 1, 1, 86, 10, 50, 20, altitude_number}, world_y);
    std::snprintf(text, sizeof text, "%.0f", double(world_y));
    boxed(altitude_x, box_bottom, 96, text);
    tag(altitude_x + 48, centre_y + tape_reach + 20, "ALT m");
    std::snprintf(text, sizeof text, "VS %+.1f", body.velocity[1]);
    tag(altitude_x + 48, centre_y - tape_reach - 20, text);
}

void draw_heading()
{
    const float y = 588;
    char text[8];
    draw_tape({centre_x, y, false, 1, 4, 40, 5, 10, 0, heading_number}, float(heading_degrees()));
    outlined([&] {  // the reading point, under the tape
        glBegin(GL_LINES);
        line(centre_x, y, centre_x, y - 10);
        glEnd();
    });
    std::snprintf(text, sizeof text, "%03d", heading_degrees());
    boxed(centre_x - 36, 628, 72, text);
}

// Engine, flaps (with where they are going while they move), gear, and the elevator's scale:
// a pointer where the surface stands, nose up at the top, and a bar marked T at the trim.
void draw_controls()
{
    char lines[3][24];
    const double flaps = body.surfaces[Flaps];
    std::snprintf(lines[0], sizeof lines[0], "THR  %3.0f%%", throttle_percent());
    if (std::fabs(flaps - double(angle_flap)) < 0.5)
        std::snprintf(lines[1], sizeof lines[1], "FLAP %2.0f", flaps);
    else
        std::snprintf(lines[1], sizeof lines[1], "FLAP %2.0f>%.0f", flaps, double(angle_flap));
    std::snprintf(lines[2], sizeof lines[2], "GEAR %s", gear_position());
    for (char* c = lines[2]; *c; ++c) *c = char(std::toupper(static_cast<unsigned char>(*c)));
    shade(8, 216, 264, 384, 0.45f);
    display_colour();
    for (int i = 0; i < 3; ++i) print(20, 352 - 24 * float(i), lines[i]);

    const auto y_of = [](double units) {
        return elevator_y + float(units) * elevator_reach / control_limit;
    };
    const float x = elevator_x, top = y_of(control_limit), bottom = y_of(-control_limit);
    const float surface = y_of(body.surfaces[Elevator]), trim = y_of(body.trim);
    outlined([&] {
        glBegin(GL_LINES);
        line(x, bottom, x, top);
        for (float y : {bottom, elevator_y, top}) line(x - 5, y, x + 5, y);
        line(x - 16, trim, x, trim);
        glEnd();
        through<3>(GL_LINE_LOOP, {{x + 2, surface}, {x + 14, surface + 6}, {x + 14, surface - 6}});
    });
    display_colour();
    print(x - 34, trim - 8, "T");
    print(x - 32, top + 6, "ELEV");
}

// "STALL" in red, pulsing with the world's steps, below the ladder.
void draw_stall()
{
    const char* text = "STALL";
    const float half = text_width(text) / 2 + 12, bottom = 212, top = 242;
    const float phase = 2 * float(pi) * float(step_count % stall_period) / stall_period;
    const float pulse = 0.6f + 0.4f * std::cos(phase);
    shade(centre_x - half, bottom, centre_x + half, top, 0.7f);
    glLineWidth(line_width());
    glColor4f(1, 0.2f, 0.15f, pulse);
    outline(centre_x - half, bottom, centre_x + half, top);
    print(centre_x - text_width(text) / 2, bottom + 7, text, 1);
}

}  // namespace

void draw_instruments()
{
    glPushAttrib(GL_ENABLE_BIT | GL_COLOR_BUFFER_BIT | GL_CURRENT_BIT | GL_LINE_BIT |
                 GL_TEXTURE_BIT | GL_LIST_BIT);
    push_text_frame();
    flat();
    draw_attitude(-head_pitch, head_roll);
    draw_speed_and_height();
    draw_heading();
    draw_controls();
    if (stall_warning()) draw_stall();
    pop_text_frame();
    glPopAttrib();
}
