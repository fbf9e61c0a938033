#include "core/Settings.h"

#include "platform/GL.h"

int fog_enable = 1;
int wire_frame = 0;
int tower_view = 0;
int lighting_enable = 1;
int culling_enable = 1;
int plane_enable = 1;
int explo_enable = 0;
int ui_enable = 0;
int texture1_ = 1;
int texture2_ = 1;
int level = 1;
int sound_mute = 0;
int sound_volume = 100;
int paused = 0;
int help_enable = 0;
int screenshot_due = 0;
int real_flight = 0;
int figures_enable = 0;
int full_screen = 0;
int instruments_enable = 1;
int mouse_stick = 0;
int detail_by_distance = 0;

unsigned int surface = GL_POLYGON;
float ui_alpha = 0.6f;
int window_main = 0;
int window_x = 100, window_y = 100, window_width = 640, window_height = 480;
char Window_Title[15] = "Kestrix b0.xxx";

float light0_position[4] = {0, 8000, 0, 0};
float light0_ambient[4] = {0.8f, 1, 1, 1};
float light0_diffuse[4] = {0.8f, 0.8f, 0.8f, 1};
float light0_specular[4] = {0.8f, 0.8f, 0.8f, 1};
