#include "noise.h"

#include <cmath>

std::uint64_t Rng::next()
{
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

double Rng::uniform() { return double(next() >> 11) * (1.0 / 9007199254740992.0); }

double Rng::uniform(double lo, double hi) { return lo + (hi - lo) * uniform(); }

PeriodicNoise::PeriodicNoise(int period, std::uint64_t seed) : period_(period)
{
    Rng rng(seed);
    const std::size_t n = std::size_t(period) * period;
    gx_.resize(n);
    gy_.resize(n);
    for (std::size_t i = 0; i < n; ++i) {
        const double angle = rng.uniform(0.0, 6.283185307179586);
        gx_[i] = std::cos(angle);
        gy_[i] = std::sin(angle);
    }
}

// Quintic fade: continuous slope and curvature across cell borders, so no grid shows.
static double fade(double t) { return t * t * t * (t * (t * 6.0 - 15.0) + 10.0); }

double PeriodicNoise::at(double x, double y) const
{
    const double fx0 = std::floor(x), fy0 = std::floor(y);
    const double fx = x - fx0, fy = y - fy0;
    const long long ix = (long long)fx0, iy = (long long)fy0;
    auto wrap = [this](long long i) { return std::size_t(((i % period_) + period_) % period_); };
    const std::size_t x0 = wrap(ix), x1 = wrap(ix + 1), y0 = wrap(iy), y1 = wrap(iy + 1);
    auto dot = [this](std::size_t cx, std::size_t cy, double dx, double dy) {
        const std::size_t i = cy * std::size_t(period_) + cx;
        return gx_[i] * dx + gy_[i] * dy;
    };
    const double n00 = dot(x0, y0, fx, fy);
    const double n10 = dot(x1, y0, fx - 1.0, fy);
    const double n01 = dot(x0, y1, fx, fy - 1.0);
    const double n11 = dot(x1, y1, fx - 1.0, fy - 1.0);
    const double sx = fade(fx), sy = fade(fy);
    const double a = n00 + (n10 - n00) * sx;
    const double b = n01 + (n11 - n01) * sx;
    return 1.41421356 * (a + (b - a) * sy); // 2D gradient noise peaks near 1/sqrt(2)
}

Fbm::Fbm(int base_period, int octaves, std::uint64_t seed, double gain)
{
    double weight = 1.0, total = 0.0;
    int period = base_period;
    for (int k = 0; k < octaves; ++k) {
        octaves_.emplace_back(period, seed * 1000003ull + std::uint64_t(k));
        scales_.push_back(period);
        weights_.push_back(weight);
        total += weight;
        weight *= gain;
        period *= 2;
    }
    for (double& w : weights_) w /= total;
}

double Fbm::at(double u, double v) const
{
    double sum = 0.0;
    for (std::size_t k = 0; k < octaves_.size(); ++k) sum += weights_[k] * octaves_[k].at(u * scales_[k], v * scales_[k]);
    return sum;
}
