// The scenery: terrain placement, airfield, city, sky dome and sun.
#pragma once

// Terrain, airfield and city, shifted by the negated aircraft position.
void draw_world();
// The sky dome around the aircraft.
void draw_sky();
// The sun high above the aircraft.
void draw_sun();
