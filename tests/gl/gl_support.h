// The program started once in this test process, in a main window of the test's own, with a
// clock that advances a sixtieth of a second at every reading, and put back into its start state
// before each test.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "frames.h"
#include "platform/GL.h"

// Puts the program, started once per process (textures, font, overlay, options window, GL
// state, landscape; sound to SDL's silent dummy device), back into its start state in a 640 by
// 480 window: option flags, flight state, explosion, cameras, terrain level, random source,
// warning pulse, line width, frame timer and step clock as start-up left them.
void reset_to_start();

class GLTest : public testing::Test {
protected:
    void SetUp() override { reset_to_start(); }
};

// Three frames of the frame loop, so that what one frame hands to the next (the cameras, the
// light placed under the last view) has settled, and the picture of the third (Mesa's buffers
// keep it in the back buffer across the swap).
Frame draw_frames();

// The back buffer's pixels, rows top to bottom; those of the framebuffer drawn into while one
// is bound.
Frame read_back();

// While it lives, drawing goes to a 640 by 480 framebuffer with a depth buffer of this format
// instead of the window's.
struct OffScreen {
    GLuint framebuffer = 0, buffers[2] = {0, 0};
    explicit OffScreen(GLenum depth_format);
    ~OffScreen();
};

GLint gl_int(GLenum pname);

// What `action` prints on the console.
std::string printed(const std::function<void()>& action);

#define EXPECT_NO_GL_ERROR() EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR))
