// What every subsystem reads: the option flags, the settings drawn from them, the main window
// and the light. The player's switches among them are listed, with their names, in Switches.h.
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
extern int sound_mute;    // every sound silenced, the engine's and the crash's (--mute starts so)
extern int sound_volume;  // the volume of every sound, 0 to 100 per cent
extern int paused;        // the simulation stands still; the picture is still drawn
extern int help_enable;   // the key table over the main window
extern int screenshot_due;  // the next frame is saved as a picture
extern int real_flight;     // the rigid-body model flies the aircraft, not the kinematic one
extern int figures_enable;  // flight figures and messages in a corner of the main window (I)
extern int full_screen;     // the main window covers the screen (F1, --fullscreen; F2 ends it)
extern int instruments_enable;  // the real flight model's instruments on the main window (U)
extern int mouse_stick;  // the mouse flies the aircraft as a control stick (J)
// Far terrain from coarser meshes, near terrain at the level chosen (D, --detail-by-distance).
extern int detail_by_distance;

// Primitive mode every face is begun with: GL_POLYGON, or GL_LINE_LOOP in wire-frame mode.
extern unsigned int surface;
extern float ui_alpha;  // opacity of the instrument overlay
extern int window_main; // GLUT identifier of the main window
// The main window's start place and size, 100, 100, 640 by 480 unless GLUT's -geometry gave
// others; F2 returns to them.
extern int window_x, window_y, window_width, window_height;
extern char Window_Title[15];

// Light 0: a directional light from +y. The colours are refreshed by every idle pass and reach
// OpenGL when init_Light next runs.
extern float light0_position[4];
extern float light0_ambient[4];
extern float light0_diffuse[4];
extern float light0_specular[4];
