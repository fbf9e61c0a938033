#include "gl_support.h"

#include <cmath>
#include <string>

#include "aircraft/FlightState.h"
#include "shell/Camera.h"
#include "shell/Render.h"
#include "shell/Sim.h"

namespace {

using SimTest = GLTest;

// The state the whole scene relies on, as OpenGL reports it after the real start-up, then the
// light after the first frame: ambient (0.8, 1, 1, 1) and straight up in eye space before the
// first idle pass; ambient 1 and world +y under the view of the frame just drawn after it.
TEST_F(SimTest, StartUpStateAndTheFirstFrame)
{
    testing::internal::CaptureStdout();
    init();
    const std::string console = testing::internal::GetCapturedStdout();
    EXPECT_NE(console.find("  OpenGL Version: "), std::string::npos);
    EXPECT_NO_GL_ERROR();
    // The options window made during start-up leaves the main window's context current, so the
    // state below is the main window's.
    EXPECT_EQ(glutGetWindow(), window_main);

    EXPECT_TRUE(glIsEnabled(GL_FOG));
    EXPECT_EQ(gl_int(GL_FOG_MODE), GL_EXP);
    EXPECT_FLOAT_EQ(gl_floats(GL_FOG_DENSITY)[0], 0.00005f);
    EXPECT_FLOAT4(gl_floats(GL_FOG_COLOR), 0.4f, 0.8f, 0.8f, 1.0f, 1e-6);
    EXPECT_EQ(gl_floats(GL_FOG_START)[0], 0.0f);
    EXPECT_EQ(gl_floats(GL_FOG_END)[0], 5000.0f);
    EXPECT_EQ(gl_int(GL_FOG_HINT), GL_NICEST);

    EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
    EXPECT_TRUE(glIsEnabled(GL_LIGHT0));
    EXPECT_FLOAT4(light0(GL_POSITION), 0, 8000, 0, 0, 1e-3);
    EXPECT_FLOAT4(light0(GL_AMBIENT), 0.8f, 1, 1, 1, 1e-6);
    EXPECT_FLOAT4(light0(GL_DIFFUSE), 0.8f, 0.8f, 0.8f, light0_diffuse[3], 1e-6);
    EXPECT_FLOAT4(light0(GL_SPECULAR), 0.8f, 0.8f, 0.8f, light0_specular[3], 1e-6);
    EXPECT_FLOAT_EQ(light0(GL_CONSTANT_ATTENUATION)[0], 0.3f);

    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_EQ(gl_int(GL_DEPTH_FUNC), GL_LEQUAL);
    EXPECT_TRUE(glIsEnabled(GL_COLOR_MATERIAL));
    EXPECT_EQ(gl_int(GL_SHADE_MODEL), GL_SMOOTH);
    EXPECT_EQ(gl_int(GL_PERSPECTIVE_CORRECTION_HINT), GL_NICEST);
    EXPECT_TRUE(glIsEnabled(GL_BLEND));
    EXPECT_EQ(gl_int(GL_BLEND_SRC), GL_SRC_ALPHA);
    EXPECT_EQ(gl_int(GL_BLEND_DST), GL_ONE_MINUS_SRC_ALPHA);
    EXPECT_FLOAT4(gl_floats(GL_COLOR_CLEAR_VALUE), 0.4f, 0.8f, 0.8f, 1.0f, 1e-6);
    EXPECT_FALSE(glIsEnabled(GL_CULL_FACE));

    // init_View ran after init_Model, so its chase-camera place holds.
    EXPECT_EQ(camera.Eye[1], 5);
    EXPECT_EQ(camera.Eye[2], -20);
    EXPECT_EQ(camera.fov, 80);
    EXPECT_EQ(camera.znear, 1);
    EXPECT_EQ(camera.zfar, 100000);
    EXPECT_EQ(world_z, -230);
    EXPECT_EQ(level, 1);

    reshape(640, 480);
    display();
    EXPECT_NO_GL_ERROR();
    const auto view = gl_matrix(GL_MODELVIEW_MATRIX);
    idle();
    EXPECT_NO_GL_ERROR();
    EXPECT_FLOAT4(light0(GL_AMBIENT), 1, 1, 1, 1, 1e-6);
    EXPECT_FLOAT4(light0(GL_POSITION), 8000 * view[4], 8000 * view[5], 8000 * view[6], 0, 1e-2);
    EXPECT_GT(light0(GL_POSITION)[1], 7000);  // the chase camera looks slightly down at the aircraft
}

TEST_F(SimTest, ReshapeBuildsTheProjectionFromTheChaseCamera)
{
    camera.fov = 80;
    camera.znear = 1;
    camera.zfar = 100000;
    const double f = 1 / std::tan(40 * M_PI / 180);

    reshape(640, 480);
    EXPECT_NO_GL_ERROR();
    auto p = gl_matrix(GL_PROJECTION_MATRIX);
    EXPECT_NEAR(p[0], f / (640.0 / 480.0), 1e-6);
    EXPECT_NEAR(p[5], f, 1e-6);
    EXPECT_NEAR(p[10], -100001.0 / 99999.0, 1e-6);
    EXPECT_NEAR(p[11], -1, 1e-9);
    EXPECT_NEAR(p[14], -200000.0 / 99999.0, 1e-6);
    EXPECT_EQ(gl_int(GL_MATRIX_MODE), GL_MODELVIEW);
    EXPECT_EQ(gl_matrix(GL_MODELVIEW_MATRIX)[12], 0);
    EXPECT_EQ(camera.w, 640);
    EXPECT_EQ(camera.h, 480);

    // A height of 0 counts as 1: the viewport is one row high and the aspect is the width.
    reshape(640, 0);
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], 640);
    EXPECT_EQ(viewport[3], 1);
    EXPECT_EQ(camera.h, 1);
    p = gl_matrix(GL_PROJECTION_MATRIX);
    EXPECT_NEAR(p[0], f / 640, 1e-9);
    EXPECT_TRUE(std::isfinite(p[0]));
    EXPECT_NO_GL_ERROR();
}

// The chase camera's rates act twice in an idle pass (the pass itself and the options step), and
// once while the tower view is shown; the engine is off, so the heading does not turn it.
TEST_F(SimTest, IdleTurnsTheChaseCameraByItsRates)
{
    init_Model();
    old_head_yaw = head_yaw;
    camera.Position(0, 5, -20, 0, 0, 0, 0, 1, 0);
    camera.xr = 1;
    tower_view = 0;
    idle();
    EXPECT_NEAR(camera.Eye[1], 5 * cos(0.002) + 20 * sin(0.002), 1e-6);

    camera.Position(0, 5, -20, 0, 0, 0, 0, 1, 0);
    camera.xr = 1;
    tower_view = 1;
    idle();
    EXPECT_NEAR(camera.Eye[1], 5 * cos(0.001) + 20 * sin(0.001), 1e-6);
    tower_view = 0;
    EXPECT_NO_GL_ERROR();
}

TEST_F(SimTest, DisplayLeavesTheMatrixStacksAsItFoundThem)
{
    init_View();
    reshape(640, 480);
    for (int tower : {0, 1}) {
        tower_view = tower;
        display();
        EXPECT_EQ(gl_int(GL_MODELVIEW_STACK_DEPTH), 1);
        EXPECT_EQ(gl_int(GL_PROJECTION_STACK_DEPTH), 1);
        EXPECT_EQ(gl_int(GL_MATRIX_MODE), GL_MODELVIEW);
        EXPECT_NO_GL_ERROR();
    }
    tower_view = 0;
}

}  // namespace
