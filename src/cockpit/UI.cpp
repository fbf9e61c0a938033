#include "cockpit/UI.h"

#include <cmath>

#include "aircraft/FlightState.h"
#include "core/Global.h"
#include "core/Settings.h"
#include "platform/GL.h"
#include "resources/Fonts.h"

const float background[4][2] = {{0, 0}, {40, 105}, {600, 105}, {640, 0}};
const float outline[4][2] = {{7, 3}, {45, 100}, {595, 100}, {633, 3}};
unsigned int ui_lists = 0;

namespace {

const unsigned int disc_sides = 120;  // of every disc and half-disc

const float plus_sign[12][2] = {{-5, 5},  {-5, 35},  {5, 35},   {5, 5},   {35, 5},   {35, -5},
                                {5, -5},  {5, -35},  {-5, -35}, {-5, -5}, {-35, -5}, {-35, 5}};
const float slot[4][2] = {{-5, -35}, {-5, 35}, {5, 35}, {5, -35}};

void face_colour() { glColor4f(0.753f, 0.753f, 0.753f, ui_alpha); }
void needle_colour() { glColor4f(0.45f, 0.45f, 0.45f, 1); }

// One primitive through the table's corners.
template <int N>
void corners(GLenum mode, const float (&table)[N][2])
{
    glBegin(mode);
    for (const float* corner : table) glVertex2fv(corner);
    glEnd();
}

// A filled disc of radius r around the current origin.
void disc(float r)
{
    glBegin(GL_POLYGON);
    circleVertexLoop(r, disc_sides);
    glEnd();
}

// A filled disc of radius r centred at (x, y).
void disc_at(float x, float y, float r)
{
    glPushMatrix();
    glTranslatef(x, y, 0);
    disc(r);
    glPopMatrix();
}

// A filled shape through the table's corners, around (x, y), in the face colour.
template <int N>
void face_at(float x, float y, const float (&table)[N][2])
{
    glPushMatrix();
    glTranslatef(x, y, 0);
    face_colour();
    corners(GL_POLYGON, table);
    glPopMatrix();
}

// A dial's face of radius 32 around (x, y).
void dial_at(float x, float y)
{
    face_colour();
    disc_at(x, y, 32);
}

// A control marker of the rudder gauge, moved from its centre by (dx, dy).
void control_marker(float dx, float dy)
{
    glPushMatrix();
    glTranslatef(300, 43, 0);
    glTranslatef(dx, dy, 0);
    disc(5);
    glPopMatrix();
}

}  // namespace

void init_ui()
{
    ui_lists = glGenLists(2);
    glNewList(ui_lists, GL_COMPILE);
    glColor4f(0, 0, 0, ui_alpha);
    corners(GL_POLYGON, background);
    glEndList();
    glNewList(ui_lists + 1, GL_COMPILE);
    face_colour();
    corners(GL_LINE_LOOP, outline);
    glEndList();
}

void draw_ui()
{
    draw_ui_objects();
    draw_ui_text();
}

void draw_ui_objects()
{
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_LIGHTING);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    gluOrtho2D(0, 640, 0, 480);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();

    glCallList(ui_lists);
    glCallList(ui_lists + 1);
    draw_compass();
    draw_roll();
    draw_rudder();
    draw_throttle();
    draw_alt();

    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
    // Always: when lighting is off, the next frame's options step switches it off again.
    glEnable(GL_LIGHTING);
    glEnable(GL_DEPTH_TEST);
}

// Labels in the font's 1024 by 768 space, 0.625 of the gauges' units per unit.
void draw_ui_text()
{
    glPushMatrix();
    glColor4f(0.953f, 0.953f, 0.953f, ui_alpha);
    glPrint(105, 135, "compass", 1);
    glPrint(295, 135, "roll", 1);
    glPrint(435, 135, "rudder", 1);
    glPrint(585, 135, "throttle", 1);
    glPrint(740, 135, "altitude", 1);
    glPopMatrix();
}

void draw_compass()
{
    dial_at(100, 40);

    glPushMatrix();
    glTranslatef(100, 40, 0);
    glRotatef(head_yaw, 0, 0, 1);
    glLineWidth(2);
    needle_colour();
    glBegin(GL_LINES);
    glVertex2f(0, 0);
    glVertex2f(0, 30);
    glEnd();
    glPopMatrix();

    needle_colour();
    disc_at(100, 40, 5);
    glLineWidth(1.5f);
}

void draw_roll()
{
    dial_at(200, 40);

    glPushMatrix();
    glTranslatef(200, 40, 0);
    glRotatef(head_roll, 0, 0, 1);
    const std::array<float, 3> tint = attitude_tint(head_pitch);
    glColor4f(tint[0], tint[1], tint[2], ui_alpha);
    glBegin(GL_POLYGON);
    halfcircleVertexLoop(30, disc_sides);
    glEnd();
    glPopMatrix();

    needle_colour();
    disc_at(200, 40, 5);
    glLineWidth(1.5f);
}

void draw_rudder()
{
    face_at(300, 43, plus_sign);
    glColor4f(0, 0, 1, 1);
    control_marker(0, control_marker_offset(angle_elevator));
    glColor4f(1, 0, 0, 1);
    control_marker(control_marker_offset(angle_rudder), 0);
}

void draw_throttle()
{
    face_at(400, 43, slot);
    needle_colour();
    disc_at(400, throttle_marker_height(throttle), 5);
}

void draw_alt()
{
    face_at(500, 43, slot);
    const std::array<float, 3> tint = attitude_tint(head_pitch);
    glColor4f(tint[0], tint[1], tint[2], 1);
    disc_at(500, alt_marker_height(world_y), 5);
}

void circleVertexLoop(float size, unsigned int sides)
{
    for (unsigned int i = 0; i < sides; ++i) {
        const float a = 2 * i * float(pi) / sides;
        glVertex2f(std::cos(a) * size, std::sin(a) * size);
    }
}

void halfcircleVertexLoop(float size, unsigned int sides)
{
    for (unsigned int i = 0; i < sides * 0.5; ++i) {
        const float a = 2 * i * -float(pi) / sides;
        glVertex2f(std::cos(a) * size, std::sin(a) * size);
    }
}

float control_marker_offset(float angle) { return float(double(angle) * (1.0 / 45) * 30); }

float throttle_marker_height(float throttle) { return float(13 + double(throttle) * 0.01 * 10); }

float alt_marker_height(float altitude) { return float(13 + double(altitude) * 0.0005 * 5); }

std::array<float, 3> attitude_tint(float pitch)
{
    const float p = pitch * 0.011111111f;
    return {float(0.5 + p), float(0.5 - p), 0.5f};
}
