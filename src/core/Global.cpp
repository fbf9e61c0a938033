#include "core/Global.h"

uint32_t random_state = 1;

int random_next()
{
    random_state = random_state * 1103515245u + 12345u;
    return int((random_state / 65536u) % 32768u);
}

// The reciprocal is a float constant; the draw is scaled by it in double precision, so the
// largest draw gives 1 - 2^-30 rather than 1.
static const float reciprocal_32767 = 1.0f / 32767.0f;

double float_rand() { return random_next() * double(reciprocal_32767); }

double floatRand() { return float_rand(); }

double randomRange(float lo, float hi) { return floatRand() * (double(hi) - lo) + lo; }

double dtr(double d) { return d * 6.283185308 * (1.0 / 360); }
