#include "shell/Keyboard.h"

#include <cstdlib>

#include "aircraft/FlightState.h"
#include "aircraft/Plane.h"
#include "aircraft/RealFlight.h"
#include "aircraft/WorldState.h"
#include "core/Camera.h"
#include "core/Settings.h"
#include "platform/FullScreen.h"
#include "platform/GL.h"
#include "terrain/TerrainGrid.h"

// Every limit below is tested before the step and nothing is clamped after it: a control moves
// only while inside its limit, so from its start value it reaches the limit but never passes it.

void keyb(unsigned char key, int, int)
{
    switch (key) {
    case 'T':
    case 't':
        tower_view = tower_view == 0 ? 1 : 0;
        break;
    // The camera keys turn and zoom the chase camera, also while the tower view is shown.
    case '8':
        camera.xr += 1;
        break;
    case '2':
        camera.xr -= 1;
        break;
    case '4':
        camera.yr += 1;
        break;
    case '6':
        camera.yr -= 1;
        break;
    case '1':
        camera.zr += 1;
        break;
    case '3':
        camera.zr -= 1;
        break;
    case '5':
        camera.xr = 0;
        camera.yr = 0;
        camera.zr = 0;
        break;
    case '7':
        camera.ZoomIn();
        break;
    case '9':
        camera.ZoomOut();
        break;
    case 'G':
    case 'g':  // the gear is commanded only in the air; on the ground a leg on its way goes on
        if (world_y > 0) gear_out = gear_out == 0 ? 1 : 0;
        move_gear();
        glutPostRedisplay();
        break;
    case '+':  // raised from 990 the throttle reaches throttle_top
        if (throttle < 1000) throttle += 15;
        break;
    case '-':
        if (throttle > 0) throttle -= 15;
        break;
    case 'R':
    case 'r':
        init_Model();
        break;
    case 'M':
    case 'm':  // the other flight model, from the start of the runway
        real_flight = !real_flight;
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
    case 'S':
    case 's':  // overhead view; placing the camera also stops its turning
        camera.Position(0, 20000, -20, 0, 0, 0, 0, 1, 0);
        break;
    case 'C':
    case 'c':  // the chase camera back where it starts, the flight untouched
        camera.Position(0, 5, -20, 0, 0, 0, 0, 1, 0);
        break;
    case 'P':
    case 'p':
        paused = !paused;
        break;
    case 'H':
    case 'h':
        help_enable = !help_enable;
        break;
    case 'I':
    case 'i':
        figures_enable = !figures_enable;
        break;
    case 'U':
    case 'u':
        instruments_enable = !instruments_enable;
        break;
    case 'J':
    case 'j':  // the mouse as the control stick, or not: the surfaces stay where they are
        mouse_stick = !mouse_stick;
        break;
    case 'D':
    case 'd':
        detail_by_distance = !detail_by_distance;
        break;
    case 27:  // Esc
        exit(0);
    default:
        break;
    }
}

void special_keys(int key, int, int)
{
    switch (key) {
    case GLUT_KEY_F1:
        enter_full_screen();
        full_screen = 1;
        break;
    case GLUT_KEY_F2:
        // Back to the start size, and back to the start place: a window left where full screen
        // had put it would sit in the screen's corner, which is not where the player found it.
        glutReshapeWindow(window_width, window_height);
        glutPositionWindow(window_x, window_y);
        full_screen = 0;
        break;
    case GLUT_KEY_F3:
        if (angle_aileron < control_limit) angle_aileron += 5;
        break;
    case GLUT_KEY_F4:
        if (angle_aileron > -control_limit) angle_aileron -= 5;
        break;
    case GLUT_KEY_LEFT:
        if (angle_rudder > -control_limit) angle_rudder -= 2.5;
        break;
    case GLUT_KEY_UP:  // nose down
        if (angle_elevator > -control_limit) angle_elevator -= 2.5;
        break;
    case GLUT_KEY_RIGHT:
        if (angle_rudder < control_limit) angle_rudder += 2.5;
        break;
    case GLUT_KEY_DOWN:  // nose up
        if (angle_elevator < control_limit) angle_elevator += 2.5;
        break;
    case GLUT_KEY_PAGE_UP:
        if (angle_flap < flap_limit) angle_flap += 2.5;
        break;
    case GLUT_KEY_PAGE_DOWN:
        if (angle_flap > 0) angle_flap -= 2.5;
        break;
    case GLUT_KEY_END:
        reset_();
        break;
    // The elevator's trim, which only the real flight model has.
    case GLUT_KEY_HOME:
        if (real_flight) trim_elevator(-1);
        break;
    case GLUT_KEY_INSERT:
        if (real_flight) trim_elevator(1);
        break;
    case GLUT_KEY_F12:
        screenshot_due = 1;
        break;
    default:
        break;
    }
}
