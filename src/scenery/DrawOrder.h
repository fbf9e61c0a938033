// The scenery's drawing order. Drawn as sky, sun, terrain, then airfield and city, most of the
// sky and of the ground under the runway is shaded only to be covered. Where it cannot change a
// pixel, what covers them goes first and the depth test rejects what it hides.
#pragma once

struct DrawOrder {
    bool runway_depth_first;  // the runway's depths before anything else
    bool terrain_before_sky;  // the terrain before the sky and the sun
};

// The order for an eye at `eye`, relative to the aircraft as the cameras keep it.
DrawOrder draw_order(const double eye[3]);

// Sky, sun, terrain, airfield and city seen from `eye`: the picture of draw_sky, draw_sun and
// draw_world in turn.
void draw_scenery(const double eye[3]);
