#include "shell/Keyboard.h"

#include "aircraft/FlightState.h"
#include "shell/Sim.h"

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
    default:
        break;
    }
}

void special_keys(int, int, int) {}
