#include "scenery/World.h"

void draw_world() {}

void draw_sky() {}

void draw_sun() {}
