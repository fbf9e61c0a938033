#include "gl_support.h"

#include <chrono>
#include <functional>
#include <thread>

#include "aircraft/FlightState.h"
#include "shell/Keyboard.h"

namespace {

using KeyboardTest = GLTest;

// The gear key commands the gear only in the air, but always swings the legs one step.
TEST_F(KeyboardTest, GearKeyTogglesOnlyInTheAir)
{
    init_Model();
    angle_nose_gear = 0;  // extending, half way down
    angle_main_gear = 10;
    keyb('G', 0, 0);
    EXPECT_EQ(gear_out, 1);  // on the ground: no toggle
    EXPECT_EQ(angle_nose_gear, -5);
    EXPECT_EQ(angle_main_gear, 5);
    keyb('g', 0, 0);
    EXPECT_EQ(gear_out, 1);
    EXPECT_EQ(angle_nose_gear, -10);
    keyb('g', 0, 0);
    EXPECT_EQ(angle_nose_gear, -10);  // down and locked

    world_y = 0.001f;
    keyb('g', 0, 0);
    EXPECT_EQ(gear_out, 0);
    EXPECT_EQ(angle_nose_gear, -5);  // on its way up at once
    EXPECT_EQ(angle_main_gear, 5);
    keyb('G', 0, 0);
    EXPECT_EQ(gear_out, 1);
    EXPECT_EQ(angle_nose_gear, -10);
    EXPECT_EQ(angle_main_gear, 0);
    EXPECT_NO_GL_ERROR();
}

// Handles window-system events until `done` holds or five seconds have passed. GLUT insists on a
// display callback before it handles a window's events; the tests draw nothing there.
bool settle(const std::function<bool()>& done)
{
    glutDisplayFunc([] {});
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (std::chrono::steady_clock::now() < deadline) {
        glutMainLoopEvent();
        if (done()) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return false;
}

int window_width() { return glutGet(GLUT_WINDOW_WIDTH); }
int window_height() { return glutGet(GLUT_WINDOW_HEIGHT); }

// F1 covers the screen; F2 brings the window back to its start size and place.
TEST_F(KeyboardTest, FullScreenAndBack)
{
    const int screen_width = glutGet(GLUT_SCREEN_WIDTH);
    const int screen_height = glutGet(GLUT_SCREEN_HEIGHT);
    ASSERT_GT(screen_width, 640);

    special_keys(GLUT_KEY_F1, 0, 0);
    EXPECT_TRUE(settle([&] {
        return window_width() == screen_width && window_height() == screen_height;
    })) << window_width() << "x" << window_height();

    special_keys(GLUT_KEY_F2, 0, 0);
    EXPECT_TRUE(settle([] { return window_width() == 640 && window_height() == 480; }))
        << window_width() << "x" << window_height();
    EXPECT_EQ(glutGet(GLUT_FULL_SCREEN), 0);
    EXPECT_TRUE(settle([] {
        return glutGet(GLUT_WINDOW_X) == 100 && glutGet(GLUT_WINDOW_Y) == 100;
    })) << glutGet(GLUT_WINDOW_X) << "," << glutGet(GLUT_WINDOW_Y);
    EXPECT_NO_GL_ERROR();
}

}  // namespace
