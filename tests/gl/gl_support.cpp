#include "gl_support.h"

#include <cstdlib>

#include "aircraft/Explosion.h"
#include "aircraft/FlightState.h"
#include "aircraft/WorldState.h"
#include "cockpit/Warnings.h"
#include "core/Global.h"
#include "core/StepClock.h"
#include "core/Switches.h"
#include "core/Timer.h"
#include "platform/Clock.h"
#include "resources/Fonts.h"
#include "shell/Render.h"
#include "shell/Sim.h"
#include "terrain/TerrainGrid.h"

namespace {

// The player's switches as compiled in, read before any test runs.
const SwitchValues at_start = current_switches();

int64_t clock_now = 0;
uint32_t random_at_start = 0;

void start_program()
{
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    perf_frequency = [] { return int64_t(60); };
    perf_counter = [] { return ++clock_now; };
    int argc = 1;
    char name[] = "gl_tests";
    char* argv[] = {name, nullptr};
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowSize(640, 480);
    glutInitWindowPosition(100, 100);
    window_main = glutCreateWindow(Window_Title);
    printed(init);
    random_at_start = random_state;
}

}  // namespace

void reset_to_start()
{
    static const bool started = (start_program(), true);
    (void)started;
    glutSetWindow(window_main);
    const int level_shown = level;
    set_switches(at_start);
    explo_enable = paused = help_enable = 0;
    if (level != level_shown) printed([] { terrain.update_current(level); });
    for (particles& p : particle) p = particles{};  // as never exploded
    LoadExplosion();
    init_Model();
    init_View();
    old_head_yaw = head_yaw;
    t = Timer{};  // frame times from a clock that starts again, whatever ran before
    t.init();
    step_clock = StepClock{};
    step_count = 0;
    random_state = random_at_start;
    cnt1 = cnt2 = 0;
    glLineWidth(1);
    reshape(640, 480);
    ui_idle();
    while (glGetError() != GL_NO_ERROR) {}
}

Frame draw_frames()
{
    display();
    for (int pass = 0; pass < 2; ++pass) idle(), display();
    return read_back();
}

Frame read_back()
{
    glFinish();
    Frame frame{640, 480, std::vector<unsigned char>(640 * 480 * 3)};
    std::vector<unsigned char> bottom_up(frame.rgb.size());
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(gl_int(GL_DRAW_FRAMEBUFFER_BINDING) ? GL_COLOR_ATTACHMENT0 : GL_BACK);
    glReadPixels(0, 0, 640, 480, GL_RGB, GL_UNSIGNED_BYTE, bottom_up.data());
    for (int y = 0; y < 480; ++y) std::copy_n(&bottom_up[(479 - y) * 640 * 3], 640 * 3, &frame.rgb[y * 640 * 3]);
    return frame;
}

OffScreen::OffScreen(GLenum depth_format)
{
    glGenFramebuffers(1, &framebuffer);
    glGenRenderbuffers(2, buffers);
    const GLenum formats[2] = {GL_RGBA8, depth_format};
    const GLenum attachments[2] = {GL_COLOR_ATTACHMENT0, GL_DEPTH_ATTACHMENT};
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    for (int k = 0; k < 2; ++k) {
        glBindRenderbuffer(GL_RENDERBUFFER, buffers[k]);
        glRenderbufferStorage(GL_RENDERBUFFER, formats[k], 640, 480);
        glFramebufferRenderbuffer(GL_FRAMEBUFFER, attachments[k], GL_RENDERBUFFER, buffers[k]);
    }
    EXPECT_EQ(glCheckFramebufferStatus(GL_FRAMEBUFFER), GLenum(GL_FRAMEBUFFER_COMPLETE));
}

OffScreen::~OffScreen()
{
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glDeleteFramebuffers(1, &framebuffer);
    glDeleteRenderbuffers(2, buffers);
}

GLint gl_int(GLenum pname)
{
    GLint v = 0;
    glGetIntegerv(pname, &v);
    return v;
}

std::string printed(const std::function<void()>& action)
{
    testing::internal::CaptureStdout();
    action();
    return testing::internal::GetCapturedStdout();
}
