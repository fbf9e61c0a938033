#include "shell/Sim.h"

#include <cstdlib>

#include "aircraft/Collision.h"
#include "aircraft/EngineSound.h"
#include "aircraft/Explosion.h"
#include "aircraft/FlightModel.h"
#include "aircraft/FlightState.h"
#include "aircraft/Plane.h"
#include "aircraft/RealFlight.h"
#include "aircraft/StallHorn.h"
#include "aircraft/WorldState.h"
#include "cockpit/Figures.h"
#include "cockpit/Help.h"
#include "cockpit/Instruments.h"
#include "cockpit/Options.h"
#include "cockpit/TouchdownReport.h"
#include "cockpit/UI.h"
#include "cockpit/Warnings.h"
#include "core/Camera.h"
#include "core/Global.h"
#include "core/Settings.h"
#include "core/StepClock.h"
#include "core/Timer.h"
#include "platform/GL.h"
#include "platform/Memory.h"
#include "platform/Quit.h"
#include "platform/Screenshot.h"
#include "platform/Sound.h"
#include "resources/Fonts.h"
#include "resources/Textures.h"
#include "scenery/DrawOrder.h"
#include "shell/Inputs.h"
#include "shell/PadControls.h"
#include "shell/Recorder.h"
#include "shell/Render.h"
#include "shell/Timedemo.h"
#include "terrain/TerrainGrid.h"

void init()
{
    t.init();
    instructions_display();
    load_textures();
    load_font();
    build_font();
    LoadExplosion();
    init_sound();  // the crash sound's device, opened before anything can crash
    start_engine_sound();
    init_ui();
    init_glui(key_typed, special_typed, reset_typed, option_set);
    init_Ext();
    init_Fog();
    init_Light();
    init_Model();
    init_View();  // after init_Model: its chase-camera place is the one that holds at start
    terrain.setPoints();
    terrain.update_current(level);
}

void display()
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    Camera& view = tower_view ? tower : camera;
    view.Aim();

    draw_scenery(view.Eye);
    if (plane_enable) draw_plane();
    collision_messages();  // every frame, also while the aircraft is hidden or exploding
    if (explo_enable) Explosion();
    if (ui_enable) draw_ui();
    if (real_flight && instruments_enable) draw_instruments();
    draw_figures();
    if (real_flight) draw_touchdown_report();
    if (paused) draw_paused();
    if (help_enable) draw_help();
    if (screenshot_due) {
        std::string said;
        if (save_screenshot(said))
            note_screenshot(said);
        else
            note_screenshot_failed(said);
        screenshot_due = 0;
    }

    glFlush();
    glutSwapBuffers();
}

void reshape(int w, int h)
{
    if (w == 0) w = 1;
    if (h == 0) h = 1;
    camera.w = w;
    camera.h = h;
    glViewport(0, 0, w, h);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(camera.fov, double(w) / double(h), camera.znear, camera.zfar);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

void idle()
{
    if (main_window_lost()) exit(0);  // another program destroyed it: nothing is left to show
    glutSetWindow(window_main);  // serving the options window may have left it current
    t.idle();
    t.get_fps();
    note_data_problem();
    gamepad_idle();

    light0_ambient[0] = light0_ambient[1] = light0_ambient[2] = light0_ambient[3] = 1.0f;
    for (int i = 0; i < 3; ++i) light0_diffuse[i] = light0_specular[i] = 0.8f;

    for (int steps = steps_for_pass(t.TimeCur, t.TimerFreq); steps > 0; --steps) world_step();
    ui_idle();
    set_sound_volume(sound_mute ? 0 : sound_volume);
    // The engine runs while the throttle is open and the aircraft whole, and the world moves.
    set_engine_sound(paused || explo_enable ? 0 : throttle / throttle_top);
    set_stall_horn(!paused && real_flight && stall_warning());
    end_pass(t.TimeCur, t.TimerFreq);
    return_freed_memory(t.TimeCur, t.TimerFreq);
    glutPostRedisplay();
}

void world_step()
{
    ++step_count;
    begin_step();
    for (Input input; next_replayed(input);) apply_input(input);
    // First what the frame just drawn leads to: the particles of a running explosion move on
    // (a new one is first drawn where it bursts), then the warnings' pulse, a landing or a crash,
    // and an exploding aircraft's engine is held at 0.
    if (explo_enable) advance_explosion();
    advance_warnings();
    collisions();
    if (explo_enable) throttle = 0;
    if (real_flight)
        real_plane_idle();
    else
        plane_idle();
    camera.Motion();
    camera.RotateY(float(dtr(old_head_yaw) - dtr(head_yaw)));
    if (!tower_view) camera.Motion();  // the chase camera's rates act twice a step
    end_step();
}

void mouse(int btn, int state, int, int)
{
    if (btn == GLUT_RIGHT_BUTTON && state == GLUT_DOWN) exit(0);
}
