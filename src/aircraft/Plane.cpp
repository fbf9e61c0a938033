#include "aircraft/Plane.h"

void draw_plane() {}

void plane_idle() {}
