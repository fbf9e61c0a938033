// What every drawing routine leaves behind for the next, whatever the options say.
#include "gl_support.h"

#include "aircraft/Collision.h"
#include "aircraft/Explosion.h"
#include "aircraft/FlightState.h"
#include "aircraft/Plane.h"
#include "aircraft/RealFlight.h"
#include "cockpit/Figures.h"
#include "cockpit/Help.h"
#include "cockpit/Instruments.h"
#include "cockpit/UI.h"
#include "cockpit/Warnings.h"
#include "core/Camera.h"
#include "resources/Fonts.h"
#include "scenery/DrawOrder.h"
#include "scenery/World.h"
#include "shell/Render.h"
#include "shell/Sim.h"
#include "terrain/TerrainGrid.h"

namespace {

using Value = std::pair<std::string, double>;

// The state the routines share and must give back: capabilities, client arrays, blending,
// matrices and their stacks, line width, colour mask, buffer bindings, and texturing on both
// units.
std::vector<Value> shared_state()
{
    const std::pair<std::string, GLenum> names[] = {
        {"lighting", GL_LIGHTING}, {"fog", GL_FOG}, {"depth test", GL_DEPTH_TEST},
        {"culling", GL_CULL_FACE}, {"blending", GL_BLEND}, {"texture gen s", GL_TEXTURE_GEN_S},
        {"texture gen t", GL_TEXTURE_GEN_T}, {"vertex array", GL_VERTEX_ARRAY},
        {"colour array", GL_COLOR_ARRAY}, {"normal array", GL_NORMAL_ARRAY},
        {"blend source", GL_BLEND_SRC}, {"blend destination", GL_BLEND_DST},
        {"matrix mode", GL_MATRIX_MODE}, {"model-view depth", GL_MODELVIEW_STACK_DEPTH},
        {"projection depth", GL_PROJECTION_STACK_DEPTH}, {"line width", GL_LINE_WIDTH},
        {"colour mask", GL_COLOR_WRITEMASK}, {"array buffer", GL_ARRAY_BUFFER_BINDING},
        {"index buffer", GL_ELEMENT_ARRAY_BUFFER_BINDING},
        {"model-view", GL_MODELVIEW_MATRIX}, {"projection", GL_PROJECTION_MATRIX}};
    std::vector<Value> state;
    for (const auto& [name, pname] : names) {
        GLdouble v[16];
        glGetDoublev(pname, v);
        const bool matrix = pname == GL_MODELVIEW_MATRIX || pname == GL_PROJECTION_MATRIX;
        for (int i = 0; i < (matrix ? 16 : 1); ++i)
            state.push_back({matrix ? name + " " + std::to_string(i) : name, v[i]});
    }
    const GLint active = gl_int(GL_ACTIVE_TEXTURE), client = gl_int(GL_CLIENT_ACTIVE_TEXTURE);
    for (int unit = 0; unit < 2; ++unit) {
        const std::string prefix = "unit " + std::to_string(unit) + " ";
        glActiveTexture(GL_TEXTURE0 + unit);
        glClientActiveTexture(GL_TEXTURE0 + unit);
        GLint mode = 0;
        glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &mode);
        state.push_back({prefix + "texturing", double(glIsEnabled(GL_TEXTURE_2D))});
        state.push_back({prefix + "coordinate array", double(glIsEnabled(GL_TEXTURE_COORD_ARRAY))});
        state.push_back({prefix + "environment", double(mode)});
    }
    glActiveTexture(GLenum(active));
    glClientActiveTexture(GLenum(client));
    return state;
}

struct Routine {
    const char* name;
    void (*draw)();
    bool lights = false;  // text and overlay switch lighting on, whatever the option
};

const Routine routines[] = {
    {"draw_sky", draw_sky},
    {"draw_sun", draw_sun},
    {"draw_world", draw_world},
    {"draw_scenery", [] { draw_scenery(camera.Eye); }},
    {"display_terrain", [] { terrain.display_terrain(); }},
    {"display_terrain in detail", [] { detail_by_distance = 1, terrain.display_terrain(); }},
    {"draw_plane", draw_plane},
    {"draw_plane_parked2", draw_plane_parked2},
    {"draw_plane_parked1", [] { glPushMatrix(), draw_plane_parked1(), glPopMatrix(); }},
    {"Explosion", Explosion},
    {"glPrint", [] { glPrint(100, 100, "TEXT", 0); }, true},
    {"draw_pull_up", draw_pull_up, true},
    {"draw_ui", draw_ui, true},
    {"draw_help", draw_help},
    {"draw_paused", draw_paused},
    {"draw_instruments",  // stalling: falling as fast as it moves ahead
     [] { body.on_ground = 0, body.velocity[1] = -10, body.velocity[2] = 10, draw_instruments(); }},
    {"draw_figures",  // with both messages
     [] { figures_enable = explo_enable = 1, note_screenshot("x"), draw_figures();
          figures_enable = 0; }},
};

// Every routine, with the options at their start values and the throttle open, then with
// everything off in wire-frame mode: the options step first puts the GL state the options
// ask for in place, as the frame loop does.
TEST_F(GLTest, DrawingRoutinesGiveTheSharedStateBack)
{
    for (bool everything_off : {false, true}) {
        for (const Routine& routine : routines) {
            reset_to_start();
            throttle = 1005;
            if (everything_off)
                texture1_ = texture2_ = fog_enable = lighting_enable = culling_enable = 0;
            wire_frame = everything_off;
            ui_idle();
            glLineWidth(1.5f);  // as the overlay leaves it
            glLoadIdentity();
            camera.Aim();
            std::vector<Value> expected = shared_state();
            if (routine.lights) expected[0].second = 1;  // "lighting", the first value

            routine.draw();

            const std::vector<Value> after = shared_state();
            for (size_t i = 0; i < after.size(); ++i)
                EXPECT_EQ(after[i].second, expected[i].second)
                    << routine.name << (everything_off ? ", everything off" : "") << ": "
                    << after[i].first;
            EXPECT_NO_GL_ERROR() << routine.name;
        }
    }
}

}  // namespace
