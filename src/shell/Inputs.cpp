#include "shell/Inputs.h"

#include "aircraft/FlightState.h"
#include "aircraft/WorldState.h"
#include "core/StepClock.h"
#include "core/Switches.h"
#include "shell/KeyTable.h"
#include "shell/Keyboard.h"
#include "shell/Recorder.h"

namespace {

// What pad controls set.
float* const pad_targets[pad_controls] = {&angle_aileron, &angle_elevator, &angle_rudder,
                                          &throttle};

}  // namespace

void apply_input(const Input& input)
{
    switch (input.kind) {
    case Input::Key: keyb(static_cast<unsigned char>(input.code), 0, 0); break;
    case Input::Special: special_keys(input.code, 0, 0); break;
    case Input::Pad: *pad_targets[input.code] = input.value; break;
    case Input::Option: *switches[input.code].value = input.value != 0; break;
    case Input::Reset: init_Model(); break;
    }
}

void take_input(const Input& input)
{
    if (replaying() && flies(input)) return;  // the recording flies until it ends
    apply_input(input);
    record_input(input, step_count + 1);
}

void key_typed(unsigned char key, int x, int y)
{
    if (is_recorded_key(key))
        take_input({Input::Key, key});
    else
        keyb(key, x, y);
}

void special_typed(int key, int x, int y)
{
    if (is_recorded_special(key))
        take_input({Input::Special, key});
    else
        special_keys(key, x, y);
}

void reset_typed() { take_input({Input::Reset}); }

void option_set(int* flag)
{
    const int row = switch_of(flag);
    if (row >= 0 && is_recorded_flag(row))
        record_input({Input::Option, row, float(*flag != 0)}, step_count + 1);
}
