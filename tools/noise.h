// Deterministic randomness for the painters: a seeded generator and tileable gradient noise.
// Nothing here reads the clock, the C library's rand() or addresses, so every run paints the
// same bytes.
#pragma once

#include <cstdint>
#include <vector>

// SplitMix64: a tiny generator with good statistics; each seed gives its own stream.
class Rng {
public:
    explicit Rng(std::uint64_t seed) : state_(seed) {}
    std::uint64_t next();
    double uniform();                    // in [0, 1)
    double uniform(double lo, double hi); // in [lo, hi)

private:
    std::uint64_t state_;
};

// Gradient noise on a square lattice that repeats every `period` cells in x and y, so a picture
// sampled over exactly one period tiles without a seam. Values lie roughly in -1..1, 0 on
// every lattice point.
class PeriodicNoise {
public:
    PeriodicNoise(int period, std::uint64_t seed);
    double at(double x, double y) const; // x and y in lattice cells

private:
    int period_;
    std::vector<double> gx_, gy_;
};

// Fractal sum of noise octaves over the unit square, tileable with period 1: octave k has
// base_period * 2^k cells per unit and weight gain^k. The result is normalised by the total
// weight, so it stays roughly within -1..1 (mostly within -0.5..0.5).
class Fbm {
public:
    Fbm(int base_period, int octaves, std::uint64_t seed, double gain = 0.5);
    double at(double u, double v) const;

private:
    std::vector<PeriodicNoise> octaves_;
    std::vector<double> scales_, weights_;
};
