#include "gl_support.h"

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
