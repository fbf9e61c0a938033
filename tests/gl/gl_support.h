// A hidden GLUT window for tests that need a real OpenGL context, and helpers to read GL state.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "platform/GL.h"

// The GLUT identifier of the test process's window, created on first use (made current).
int gl_test_window();

// A test with the window current, known to the frame loop as the main window, and no GL error
// left over from before.
class GLTest : public ::testing::Test {
protected:
    void SetUp() override;
};

// Runs the enclosed code from `directory` (for example the repository root, where Data/ is).
class InDirectory {
public:
    explicit InDirectory(const std::string& directory) : previous(std::filesystem::current_path())
    {
        std::filesystem::current_path(directory);
    }
    ~InDirectory() { std::filesystem::current_path(previous); }

private:
    std::filesystem::path previous;
};

std::array<float, 4> gl_floats(GLenum pname);
std::array<float, 4> light0(GLenum pname);
std::array<double, 16> gl_matrix(GLenum pname);
GLint gl_int(GLenum pname);

#define EXPECT_NO_GL_ERROR() EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR))

// Element-wise comparison of four floats within a tolerance.
#define EXPECT_FLOAT4(actual, a, b, c, d, tolerance)       \
    do {                                                   \
        const auto v_ = (actual);                          \
        EXPECT_NEAR(v_[0], (a), (tolerance)) << #actual;   \
        EXPECT_NEAR(v_[1], (b), (tolerance)) << #actual;   \
        EXPECT_NEAR(v_[2], (c), (tolerance)) << #actual;   \
        EXPECT_NEAR(v_[3], (d), (tolerance)) << #actual;   \
    } while (0)

// One vertex as feedback mode reports it: window coordinates, colour, texture coordinates.
struct FeedbackVertex {
    float x, y, z;
    float r, g, b, a;
    float s, t, p;
};
struct FeedbackPrimitive {
    GLenum token;  // GL_POLYGON_TOKEN, GL_LINE_TOKEN, GL_LINE_RESET_TOKEN, GL_POINT_TOKEN, ...
    std::vector<FeedbackVertex> vertices;
};

// The primitives that `draw` emits, recorded in feedback mode (GL_3D_COLOR_TEXTURE) instead of
// drawn.
std::vector<FeedbackPrimitive> feedback(const std::function<void()>& draw);

// The back buffer's pixels after glFinish: width * height * 3 bytes, bottom row first.
std::vector<unsigned char> read_back(int width, int height);
// Saves bottom-up RGB pixels as a PNG for people to look at.
void save_png(const std::string& path, int width, int height, const std::vector<unsigned char>& rgb);
