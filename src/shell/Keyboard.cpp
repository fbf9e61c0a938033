#include "shell/Keyboard.h"

#include "aircraft/FlightState.h"
#include "shell/Sim.h"
#include "terrain/TerrainGrid.h"

void keyb(unsigned char key, int, int)
{
    switch (key) {
    case 'T':
    case 't':
        tower_view = tower_view == 0 ? 1 : 0;
        break;
    case 'R':
    case 'r':
        init_Model();
        break;
    case 'A':
    case 'a':  // finer terrain; at the finest, the level is selected (and reported) again
        level += 1;
        if (level > 3) level = 3;
        terrain.update_current(level);
        break;
    case 'Z':
    case 'z':  // coarser terrain
        level -= 1;
        if (level < 0) level = 0;
        terrain.update_current(level);
        break;
    default:
        break;
    }
}

void special_keys(int, int, int) {}
