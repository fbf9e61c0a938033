// The engine's sound: a piston engine synthesised as it plays, on the platform's stream beside
// the explosion's channel.
#pragma once

// Starts the engine's sound, silent until set_engine_sound says otherwise, on the audio device
// open now and on any opened later.
void start_engine_sound();

// The engine's sound at `power`, 0 (silent) to 1 (full throttle); it follows changes smoothly,
// and the volume set for the sounds applies to it too.
void set_engine_sound(float power);
