// Gamepads and joysticks through SDL, without an SDL window: devices are opened as they are
// plugged in and closed as they are pulled out, and the first one opened drives.
#pragma once

// The driving device's controls in a game controller's layout. A joystick without a controller
// mapping fills the same places from its first axes and buttons (see Gamepad.cpp).
struct PadInput {
    enum Axis { LeftX, LeftY, RightX, RightY, LeftTrigger, RightTrigger, Throttle, AxisCount };
    enum Button { A, B, X, Y, Back, Guide, Start, LeftStick, RightStick, LeftShoulder,
                  RightShoulder, DpadUp, DpadDown, DpadLeft, DpadRight, ButtonCount };
    bool connected = false;
    float axis[AxisCount] = {};  // sticks -1 to 1 (y down), triggers 0 to 1; Throttle -1 to 1
    bool has_throttle = false;   // whether the device has a throttle axis
    bool button[ButtonCount] = {};
};

// Starts SDL's joystick and game-controller support; false (silently) where it cannot.
bool init_gamepads();
// Handles the devices plugged in or out since the last call and reads the driving one.
PadInput read_gamepad();
