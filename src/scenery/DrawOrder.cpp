#include "scenery/DrawOrder.h"

#include <algorithm>

#include "aircraft/FlightState.h"
#include "core/Settings.h"
#include "platform/GL.h"
#include "scenery/World.h"
#include "terrain/TerrainGrid.h"

// Why the picture stays the same:
// - Terrain first: with the eye and the whole terrain inside the dome, every terrain fragment
//   lies in front of the dome, so the sky drawn after it fails exactly where the terrain covered
//   it before. That needs a depth buffer fine enough to keep them apart far from the eye: with
//   16 bits, distant mountains and the dome share depths and the blended sky would pass. The
//   sun blends with the sky only: from below its level, nothing lies behind it.
// - Runway depths first: ground behind the runway now fails where the runway later covered it
//   with an opaque colour, on the same depths, so that the same fragments pass from the runway
//   on, at any depth precision: in either order the runway shows exactly where its depth is no
//   farther than the ground's. Only a blended surface drawn in front of the runway before it
//   would see the difference, as the colour behind it: the sky, the sun, the tower's glass cab and the parked aircraft's
//   canopies, each ruled out below along the line of sight through each pixel's centre. Outlines
//   do not keep to those lines (a line lights the pixels it passes near), and there is no fill
//   under an outlined runway to spare, so wire-frame mode draws its depths in their usual place.

namespace {

struct Box {
    double lo[3], hi[3];
};

// Kept this far inside the dome, terrain lies in front of it by several depth-buffer steps even
// at its distance from the eye.
const double dome_margin = 2000;
// The depth buffer that keeps the terrain in front of the dome by that margin.
const int depth_bits_for_terrain_first = 24;

// The runway surface in world coordinates, a unit wider all round against rounding.
const Box runway_area = {{-16, 1, -251}, {16, 1, 251}};

// What blends with the colour behind it before the runway is drawn, in world coordinates, with
// a little room: the tower's cab (9 by 5 by 9 from height 30, on the tower at x -70, z -150) and
// the canopies of the three parked aircraft (at x -50, z -180, -205 and -230).
const Box glass[] = {
    {{-74.5, 30, -154.5}, {-65.5, 35, -145.5}},
    {{-52, 4.5, -232}, {-40, 7.5, -177}},
};

// Whether `test` holds for every corner of `box`, shifted by `shift`.
template <typename Test>
bool every_corner(const Box& box, const double shift[3], Test test)
{
    for (int i = 0; i < 8; ++i) {
        const double x = (i & 1 ? box.hi[0] : box.lo[0]) + shift[0];
        const double y = (i & 2 ? box.hi[1] : box.lo[1]) + shift[1];
        const double z = (i & 4 ? box.hi[2] : box.lo[2]) + shift[2];
        if (!test(x, y, z)) return false;
    }
    return true;
}

// Whether `box`, given relative to the aircraft, lies inside the dome with the margin.
bool inside_dome(const Box& box, const double shift[3])
{
    return every_corner(box, shift, [](double x, double y, double z) {
        return inside_sky_dome(x, y, z, dome_margin);
    });
}

// Whether some line of sight from `eye` (world coordinates) may pass through `box` and then meet
// the runway: the corners are projected from the eye down onto the runway's level, and the
// bounds of the projections compared with the runway's. A box above the eye projects nowhere; one
// reaching up to the eye's height projects without bounds.
bool seen_over_runway(const Box& box, const double eye[3])
{
    const double level = runway_area.lo[1];
    if (eye[1] <= box.lo[1]) return false;
    double lo[2] = {1e300, 1e300}, hi[2] = {-1e300, -1e300};
    const double origin[3] = {0, 0, 0};
    const bool bounded = every_corner(box, origin, [&](double x, double y, double z) {
        if (y >= eye[1]) return false;
        const double t = (eye[1] - level) / (eye[1] - y);
        const double ground[2] = {eye[0] + t * (x - eye[0]), eye[2] + t * (z - eye[2])};
        for (int k = 0; k < 2; ++k) {
            lo[k] = std::min(lo[k], ground[k]);
            hi[k] = std::max(hi[k], ground[k]);
        }
        return true;
    });
    return !bounded || (lo[0] <= runway_area.hi[0] && hi[0] >= runway_area.lo[0] &&
                        lo[1] <= runway_area.hi[2] && hi[1] >= runway_area.lo[2]);
}

}  // namespace

DrawOrder draw_order(const double eye[3])
{
    // World coordinates less the aircraft's place give coordinates relative to it.
    const double aircraft[3] = {world_x, double(world_y) + 3.2, world_z};
    const double to_aircraft[3] = {-aircraft[0], -aircraft[1], -aircraft[2]};
    const double eye_in_world[3] = {eye[0] + aircraft[0], eye[1] + aircraft[1],
                                    eye[2] + aircraft[2]};
    const Vertex& first = terrain.Grid0[0][0];
    const Vertex& last = terrain.Grid0[21][21];
    const Box ground = {{first.x, terrain.lowestY, first.z}, {last.x, terrain.highestY, last.z}};

    const double sun_level = light0_position[1];  // the sun's height above the aircraft
    const bool eye_in_dome = inside_sky_dome(eye[0], eye[1], eye[2], dome_margin);
    const bool eye_below_sun = eye[1] < sun_level;

    GLint depth_bits = 0;
    glGetIntegerv(GL_DEPTH_BITS, &depth_bits);

    DrawOrder order;
    order.terrain_before_sky = depth_bits >= depth_bits_for_terrain_first && eye_in_dome &&
                               eye_below_sun && inside_dome(ground, to_aircraft) &&
                               ground.hi[1] + to_aircraft[1] < sun_level;
    order.runway_depth_first =
        surface == GL_POLYGON && eye_in_dome && eye_below_sun &&
        inside_dome(runway_area, to_aircraft) &&
        std::none_of(std::begin(glass), std::end(glass),
                     [&](const Box& box) { return seen_over_runway(box, eye_in_world); });
    return order;
}

void draw_scenery(const double eye[3])
{
    const DrawOrder order = draw_order(eye);
    if (order.runway_depth_first) runway_depth();
    if (order.terrain_before_sky) draw_terrain();
    draw_sky();
    draw_sun();
    if (!order.terrain_before_sky) draw_terrain();
    draw_airfield_and_city();
}
