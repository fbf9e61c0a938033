// The scenery: terrain placement, airfield, city, sky dome and sun.
#pragma once

// Corner tables, x y z. `bld` holds the unit box's 8 corners, then its 5 face normals.
extern const float rw[4][3];   // runway surface, 30 by 500
extern const float tw[4][3];   // apron, 150 by 100, placed through a quarter turn
extern const float rw_ln[4][3];  // one runway stripe, 1 by 10
extern const float ct1[8][3];  // the city's octagonal plaza
extern const float bld[13][3];

// Terrain, airfield and city, shifted by the negated aircraft position; the same in two steps.
void draw_world();
void draw_terrain();
void draw_airfield_and_city();
// The runway surface's depths alone, where draw_airfield_and_city will draw it.
void runway_depth();
// Control tower, apron with the parked aircraft, runway markings and runway surface.
void runway();
// The plaza and the nine blocks, centred at (-500, 0, 0).
void city();
// Shaft, glass cab and roof, standing on the current origin.
void control_tower();
// One white stripe at the current origin.
void runway_line();
// The octagon one unit above the current origin. Leaves the matrix moved by that unit.
void city_ground();
// The unit box without its bottom face. The side faces carry their texture coordinates one
// corner late, so the top face takes the coordinate current when the box begins.
void building();

// The sky dome around the aircraft.
void draw_sky();
// Whether a point, relative to the aircraft, lies inside the sky dome and at least `margin`
// away from its sides, measured level.
bool inside_sky_dome(double x, double y, double z, double margin);
// The sun high above the aircraft; nothing when lighting is off.
void draw_sun();
