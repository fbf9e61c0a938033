// The simulation shell: start-up, the frame loop's callbacks and the option flags they read.
#pragma once

// Option flags: 0 off, anything else on. The options window writes 0 or 1 into them.
extern int fog_enable;
extern int wire_frame;
extern int tower_view;
extern int lighting_enable;
extern int culling_enable;
extern int plane_enable;
extern int explo_enable;
extern int ui_enable;
extern int texture1_;  // texture mapping
extern int texture2_;  // light map on the terrain
extern int level;      // terrain level of detail, 0 to 3

// Primitive mode every face is begun with: GL_POLYGON, or GL_LINE_LOOP in wire-frame mode.
extern unsigned int surface;
extern float ui_alpha;  // opacity of the instrument overlay
extern int window_main; // GLUT identifier of the main window
extern char Window_Title[15];

// One-time start-up, in a fixed order: later steps use what earlier ones made.
void init();
// One frame: sky, world, aircraft, collisions, explosion, overlay.
void display();
void reshape(int w, int h);
// One simulation step, then a request to redraw.
void idle();
// The right button ends the program when pressed.
void mouse(int btn, int state, int x, int y);
// Centres the control surfaces.
void reset_();
