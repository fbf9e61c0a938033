// Ground, map-edge and control-tower contact, and the flight warnings.
#pragma once

// The whole collision step of one frame.
void collisions();
