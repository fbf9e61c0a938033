#include "cockpit/Options.h"
#include "platform/GL.h"
#include "shell/Keyboard.h"
#include "shell/Sim.h"

int main(int argc, char** argv)
{
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowSize(640, 480);
    glutInitWindowPosition(100, 100);
    window_main = glutCreateWindow(Window_Title);
    options_set_idle_func(idle);  // the options window is served from the same idle slot
    init();
    glutReshapeFunc(reshape);
    glutDisplayFunc(display);
    glutKeyboardFunc(keyb);
    glutSpecialFunc(special_keys);
    glutMouseFunc(mouse);
    glutMainLoop();
    return 0;
}
