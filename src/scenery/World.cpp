#include "scenery/World.h"

#include "aircraft/FlightState.h"
#include "platform/GL.h"
#include "terrain/TerrainGrid.h"

// The aircraft stays at the origin: the world is drawn shifted by its negated position, and 3.2
// lower so that the wheels stand on the ground.
void draw_world()
{
    glPushMatrix();
    glTranslatef(-world_x, float(-double(world_y) - 3.2), -world_z);
    terrain.display_terrain();
    glPopMatrix();
}

void draw_sky() {}

void draw_sun() {}
