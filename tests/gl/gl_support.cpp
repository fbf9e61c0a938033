#include "gl_support.h"

#include <stb_image_write.h>

#include <algorithm>

#include "shell/Sim.h"

int gl_test_window()
{
    static int window = 0;
    if (window == 0) {
        int argc = 1;
        char name[] = "gl_tests";
        char* argv[] = {name, nullptr};
        glutInit(&argc, argv);
        glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
        glutInitWindowSize(640, 480);
        window = glutCreateWindow("gl_tests");
        glutHideWindow();
    }
    glutSetWindow(window);
    return window;
}

void GLTest::SetUp()
{
    window_main = gl_test_window();
    while (glGetError() != GL_NO_ERROR) {}
}

std::array<float, 4> gl_floats(GLenum pname)
{
    std::array<float, 4> v{};
    glGetFloatv(pname, v.data());
    return v;
}

std::array<float, 4> light0(GLenum pname)
{
    std::array<float, 4> v{};
    glGetLightfv(GL_LIGHT0, pname, v.data());
    return v;
}

std::array<double, 16> gl_matrix(GLenum pname)
{
    std::array<double, 16> m{};
    glGetDoublev(pname, m.data());
    return m;
}

GLint gl_int(GLenum pname)
{
    GLint v = 0;
    glGetIntegerv(pname, &v);
    return v;
}

std::vector<FeedbackPrimitive> feedback(const std::function<void()>& draw)
{
    std::vector<GLfloat> buffer(1 << 20);
    glFeedbackBuffer(GLsizei(buffer.size()), GL_3D_COLOR_TEXTURE, buffer.data());
    glRenderMode(GL_FEEDBACK);
    draw();
    const GLint used = glRenderMode(GL_RENDER);
    EXPECT_GE(used, 0) << "feedback buffer overflow";

    std::vector<FeedbackPrimitive> primitives;
    constexpr size_t vertex_floats = 11;  // x, y, z; r, g, b, a; s, t, r, q
    auto vertex_at = [&](size_t i) {
        const GLfloat* v = &buffer[i];
        return FeedbackVertex{v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7], v[8], v[9]};
    };
    for (size_t i = 0; i < size_t(std::max(used, 0));) {
        FeedbackPrimitive primitive{GLenum(buffer[i++]), {}};
        size_t count = 0;
        switch (primitive.token) {
        case GL_POLYGON_TOKEN: count = size_t(buffer[i++]); break;
        case GL_LINE_TOKEN:
        case GL_LINE_RESET_TOKEN: count = 2; break;
        case GL_PASS_THROUGH_TOKEN: ++i; break;
        default: count = 1; break;  // points, bitmaps and pixel rectangles carry one vertex
        }
        for (size_t k = 0; k < count; ++k, i += vertex_floats) primitive.vertices.push_back(vertex_at(i));
        primitives.push_back(primitive);
    }
    return primitives;
}

std::vector<unsigned char> read_back(int width, int height)
{
    glFinish();
    std::vector<unsigned char> rgb(size_t(width) * height * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    return rgb;
}

void save_png(const std::string& path, int width, int height, const std::vector<unsigned char>& rgb)
{
    stbi_flip_vertically_on_write(1);
    stbi_write_png(path.c_str(), width, height, 3, rgb.data(), width * 3);
}
