// The aircraft: drawing and the flight step.
#pragma once

// Draws the flown aircraft at the origin, turned by its attitude.
void draw_plane();
// One flight step: position, attitude, propeller and undercarriage.
void plane_idle();
