#include "platform/Gamepad.h"

#include <SDL.h>

#include <iterator>
#include <vector>

namespace {

bool started = false;

// Open devices in the order they were opened; the first drives. A device with a controller
// mapping is read through it, any other as a plain joystick.
struct Device {
    SDL_JoystickID id;
    SDL_GameController* controller;
    SDL_Joystick* joystick;
};
std::vector<Device> devices;

void open_device(int index)
{
    const SDL_JoystickID id = SDL_JoystickGetDeviceInstanceID(index);
    for (const Device& open : devices)
        if (open.id == id) return;  // already open
    Device device{id, nullptr, nullptr};
    if (SDL_IsGameController(index)) {
        device.controller = SDL_GameControllerOpen(index);
        if (device.controller) device.joystick = SDL_GameControllerGetJoystick(device.controller);
    } else {
        device.joystick = SDL_JoystickOpen(index);
    }
    if (device.joystick) devices.push_back(device);
}

void close_device(SDL_JoystickID id)
{
    for (auto it = devices.begin(); it != devices.end(); ++it) {
        if (it->id != id) continue;
        if (it->controller)
            SDL_GameControllerClose(it->controller);
        else
            SDL_JoystickClose(it->joystick);
        devices.erase(it);
        return;
    }
}

float unit(Sint16 value) { return value < 0 ? value / 32768.0f : value / 32767.0f; }

// A joystick without a mapping: x, y, twist and throttle lever on its first four axes; its
// first buttons as gear, centre, view, reset, flaps down and up, pause, trim nose down and up.
void read_joystick(SDL_Joystick* stick, PadInput& pad)
{
    const int axes = SDL_JoystickNumAxes(stick), buttons = SDL_JoystickNumButtons(stick);
    const PadInput::Axis axis_places[] = {PadInput::LeftX, PadInput::LeftY, PadInput::RightX,
                                          PadInput::Throttle};
    for (int i = 0; i < 4 && i < axes; ++i)
        pad.axis[axis_places[i]] = unit(SDL_JoystickGetAxis(stick, i));
    pad.has_throttle = axes >= 4;
    const PadInput::Button button_places[] = {PadInput::A,        PadInput::B,
                                              PadInput::X,        PadInput::Y,
                                              PadInput::DpadDown, PadInput::DpadUp,
                                              PadInput::Start,    PadInput::DpadLeft,
                                              PadInput::DpadRight};
    for (int i = 0; i < int(std::size(button_places)) && i < buttons; ++i)
        pad.button[button_places[i]] = SDL_JoystickGetButton(stick, i) != 0;
}

void read_controller(SDL_GameController* controller, PadInput& pad)
{
    for (int a = 0; a < SDL_CONTROLLER_AXIS_MAX; ++a)
        pad.axis[a] = unit(SDL_GameControllerGetAxis(controller, SDL_GameControllerAxis(a)));
    for (int b = 0; b < PadInput::ButtonCount; ++b)
        pad.button[b] = SDL_GameControllerGetButton(controller, SDL_GameControllerButton(b)) != 0;
}

}  // namespace

bool init_gamepads()
{
    if (!started) started = SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER | SDL_INIT_JOYSTICK) == 0;
    return started;
}

PadInput read_gamepad()
{
    PadInput pad;
    if (!started) return pad;
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
        if (event.type == SDL_JOYDEVICEADDED) open_device(event.jdevice.which);
        if (event.type == SDL_JOYDEVICEREMOVED) close_device(event.jdevice.which);
    }
    if (devices.empty()) return pad;
    pad.connected = true;
    if (devices.front().controller)
        read_controller(devices.front().controller, pad);
    else
        read_joystick(devices.front().joystick, pad);
    return pad;
}
