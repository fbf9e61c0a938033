// The program's one random source and its helpers, and the degree conversion.
#pragma once

#include <cstdint>

// State of the random source: starts at 1 and is never reseeded, so every run draws the same
// sequence (the terrain is its first consumer).
extern uint32_t random_state;

// Next value of the 15-bit linear congruential generator, 0 to 32767. This is the program's own
// generator, independent of the C library's rand().
int random_next();

// One draw times the float 1/32767, in double precision: 0 to just below 1.
double float_rand();
double floatRand();

// floatRand() scaled to lo .. hi, in double precision.
double randomRange(float lo, float hi);

constexpr double pi = 3.14159265358979323846;

// Degrees to radians, in double precision.
double dtr(double d);
