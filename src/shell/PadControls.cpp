#include "shell/PadControls.h"

#include <cmath>

#include "aircraft/FlightState.h"
#include "platform/GL.h"
#include "shell/Keyboard.h"

const float dead_zone = 0.15f;

namespace {

// A stick's position with the dead zone taken out, still reaching -1 and 1 at its ends.
float past_dead_zone(float position)
{
    const float outside = std::fabs(position) - dead_zone;
    if (outside <= 0) return 0;
    return std::copysign(std::fmin(outside / (1 - dead_zone), 1.0f), position);
}

}  // namespace

void apply_pad(const PadInput& pad, const PadInput& last)
{
    using P = PadInput;
    auto moved = [&](P::Axis a) { return std::fabs(pad.axis[a] - last.axis[a]) > 0.001f; };
    auto pressed = [&](P::Button b) { return pad.button[b] && !last.button[b]; };

    // Left stick: bank and pitch (pulled back, nose up); right stick or triggers: rudder.
    if (moved(P::LeftX)) angle_aileron = -45 * past_dead_zone(pad.axis[P::LeftX]);
    if (moved(P::LeftY)) angle_elevator = 45 * past_dead_zone(pad.axis[P::LeftY]);
    if (moved(P::RightX)) angle_rudder = 45 * past_dead_zone(pad.axis[P::RightX]);
    if (moved(P::LeftTrigger) || moved(P::RightTrigger))
        angle_rudder = 45 * (pad.axis[P::RightTrigger] - pad.axis[P::LeftTrigger]);
    // A throttle lever, pushed forward for full power, in the keys' steps of 15.
    if (pad.has_throttle && moved(P::Throttle))
        throttle = 15 * std::round(67 * (1 - pad.axis[P::Throttle]) / 2);

    // Held shoulder buttons move the throttle one key step per pass.
    if (pad.button[P::RightShoulder]) keyb('+', 0, 0);
    if (pad.button[P::LeftShoulder]) keyb('-', 0, 0);
    if (pressed(P::A)) keyb('g', 0, 0);
    if (pressed(P::B)) special_keys(GLUT_KEY_END, 0, 0);
    if (pressed(P::X)) keyb('t', 0, 0);
    if (pressed(P::Y)) keyb('r', 0, 0);
    if (pressed(P::DpadDown)) special_keys(GLUT_KEY_PAGE_UP, 0, 0);   // flaps down
    if (pressed(P::DpadUp)) special_keys(GLUT_KEY_PAGE_DOWN, 0, 0);   // flaps up
    if (pressed(P::Start)) keyb('p', 0, 0);
}

void gamepad_idle()
{
    static PadInput last;
    const PadInput pad = read_gamepad();
    if (pad.connected) apply_pad(pad, last);
    last = pad;
}
