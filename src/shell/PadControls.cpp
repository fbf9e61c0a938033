#include "shell/PadControls.h"

#include <cmath>

#include "aircraft/FlightState.h"
#include "core/Settings.h"
#include "platform/GL.h"
#include "shell/Inputs.h"

const float dead_zone = 0.15f;

namespace {

// The mouse's centre, where the stick is centred, is smaller than a worn stick's.
constexpr float mouse_dead_zone = 0.04f;

// A stick's position with the dead zone `zone` taken out, still reaching -1 and 1 at its ends.
float past_dead_zone(float position, float zone = dead_zone)
{
    const float outside = std::fabs(position) - zone;
    if (outside <= 0) return 0;
    return std::copysign(std::fmin(outside / (1 - zone), 1.0f), position);
}

// The setting nearest `value` on the keys' grid of `step`: a key pressed after the stick then
// stops at the keys' limit, which it only tests before stepping.
float on_grid(float value, float step) { return std::round(value / step) * step; }

}  // namespace

void apply_pad(const PadInput& pad, const PadInput& last)
{
    using P = PadInput;
    auto moved = [&](P::Axis a) { return std::fabs(pad.axis[a] - last.axis[a]) > 0.001f; };
    auto pressed = [&](P::Button b) { return pad.button[b] && !last.button[b]; };

    // Left stick: bank and pitch (pulled back, nose up); right stick or triggers: rudder.
    const auto set = [](PadControl control, float value) { take_input({Input::Pad, control, value}); };
    const auto stick = [&pad](auto axis) { return control_limit * past_dead_zone(pad.axis[axis]); };
    if (moved(P::LeftX)) set(PadAileron, on_grid(-stick(P::LeftX), 5));
    if (moved(P::LeftY)) set(PadElevator, on_grid(stick(P::LeftY), 2.5f));
    if (moved(P::RightX)) set(PadRudder, on_grid(stick(P::RightX), 2.5f));
    if (moved(P::LeftTrigger) || moved(P::RightTrigger)) {
        const float pull = pad.axis[P::RightTrigger] - pad.axis[P::LeftTrigger];
        set(PadRudder, on_grid(control_limit * std::fmax(-1.0f, std::fmin(pull, 1.0f)), 2.5f));
    }
    // A throttle lever, pushed forward for full power, in the keys' steps of 15.
    if (pad.has_throttle && moved(P::Throttle))
        set(PadThrottle, 15 * std::round(67 * (1 - pad.axis[P::Throttle]) / 2));

    // Held shoulder buttons move the throttle one key step per pass.
    if (pad.button[P::RightShoulder]) key_typed('+', 0, 0);
    if (pad.button[P::LeftShoulder]) key_typed('-', 0, 0);
    if (pressed(P::A)) key_typed('g', 0, 0);
    if (pressed(P::B)) special_typed(GLUT_KEY_END, 0, 0);
    if (pressed(P::X)) key_typed('t', 0, 0);
    if (pressed(P::Y)) key_typed('r', 0, 0);
    if (pressed(P::DpadDown)) special_typed(GLUT_KEY_PAGE_UP, 0, 0);   // flaps down
    if (pressed(P::DpadUp)) special_typed(GLUT_KEY_PAGE_DOWN, 0, 0);   // flaps up
    if (pressed(P::DpadLeft)) special_typed(GLUT_KEY_HOME, 0, 0);     // trim nose down
    if (pressed(P::DpadRight)) special_typed(GLUT_KEY_INSERT, 0, 0);  // trim nose up
    if (pressed(P::Start)) key_typed('p', 0, 0);
}

void gamepad_idle()
{
    static PadInput last;
    const PadInput pad = read_gamepad();
    if (pad.connected) apply_pad(pad, last);
    last = pad;
}

void apply_mouse(int x, int y, int width, int height)
{
    static float aileron = NAN, elevator = NAN;  // as the mouse last set them
    if (!mouse_stick || width <= 0 || height <= 0) return;
    const auto stick = [](int at, int size) {
        return control_limit * past_dead_zone(2.0f * float(at) / float(size) - 1, mouse_dead_zone);
    };
    const float across = on_grid(-stick(x, width), mouse_step);
    const float down = on_grid(stick(y, height), mouse_step);
    if (across != aileron) take_input({Input::Pad, PadAileron, aileron = across});
    if (down != elevator) take_input({Input::Pad, PadElevator, elevator = down});
}

void mouse_moved(int x, int y)
{
    static int cross_hair = 0;
    if (cross_hair != mouse_stick) {
        cross_hair = mouse_stick;
        glutSetCursor(cross_hair ? GLUT_CURSOR_CROSSHAIR : GLUT_CURSOR_INHERIT);
    }
    apply_mouse(x, y, glutGet(GLUT_WINDOW_WIDTH), glutGet(GLUT_WINDOW_HEIGHT));
}
