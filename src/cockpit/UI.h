// The instrument overlay drawn over the scene: a translucent panel with five gauges and their
// labels, in a 640 by 480 space stretched over the window.
#pragma once

#include <array>

// Corner tables, x y: the panel, a trapezoid across the bottom, and its border line.
extern const float background[4][2];
extern const float outline[4][2];
// The first of the overlay's two display lists: the panel, then its border.
extern unsigned int ui_lists;

// Compiles the panel and border lists, in the opacity `ui_alpha` has at that moment.
void init_ui();
// Draws the panel, the gauges and their labels.
void draw_ui();
// Draws the panel and the gauges; leaves lighting and depth testing on.
void draw_ui_objects();
// Prints the gauges' labels in the bold font.
void draw_ui_text();
// Heading: a needle turned counter-clockwise by `head_yaw`.
void draw_compass();
// Bank: a lower half-disc in the attitude tint, turned by `head_roll`.
void draw_roll();
// Elevator and rudder: two markers on a plus sign.
void draw_rudder();
// Engine: a marker that rises with `throttle`.
void draw_throttle();
// Altitude: a marker in the attitude tint that rises with `world_y`.
void draw_alt();

// Vertices of a circle of radius `size` around the origin, counter-clockwise from (size, 0),
// inside a glBegin/glEnd the caller opens.
void circleVertexLoop(float size, unsigned int sides);
// Vertices of the lower half circle, clockwise from (size, 0): sides / 2 of them.
void halfcircleVertexLoop(float size, unsigned int sides);

// A control marker's distance from the rudder gauge's centre: 30 at a surface angle of 45.
float control_marker_offset(float angle);
// The throttle marker's height: 13 at `throttle` 0, 10 more per 100.
float throttle_marker_height(float throttle);
// The altitude marker's height: 13 on the ground, 2.5 more per 1000.
float alt_marker_height(float altitude);
// Red, green, blue of the attitude tint: red nose down, green nose up, grey when level.
std::array<float, 3> attitude_tint(float pitch);
