// The aircraft skin: a sphere map, which OpenGL samples by the reflected view direction. The
// picture is a mirror ball seen from the front: its centre reflects what lies behind the
// viewer, its rim what lies behind the ball; the top half reflects the sky, the bottom half
// the ground. Brushed streaks over it make the surface read as metal rather than chrome.
#include <cmath>

#include "art.h"
#include "noise.h"

namespace {

struct Vec {
    double x, y, z;
};

double dot(Vec a, Vec b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

Vec normalised(Vec a)
{
    const double l = std::sqrt(dot(a, a));
    return {a.x / l, a.y / l, a.z / l};
}

// What the metal reflects in direction d (y up, z towards the viewer): a pale sky over a
// mid-grey ground, a soft horizon between them and a bright sun to the upper left.
Colour environment(Vec d)
{
    const Colour sky_low{0.93, 0.94, 0.96}, sky_high{0.74, 0.79, 0.88};
    const Colour ground_near{0.72, 0.71, 0.68}, ground_far{0.58, 0.58, 0.57};
    const Colour sky = mix(sky_low, sky_high, std::pow(std::fmax(d.y, 0.0), 0.6));
    const Colour ground = mix(ground_near, ground_far, std::pow(std::fmax(-d.y, 0.0), 0.5));
    Colour c = mix(ground, sky, smoothstep(-0.08, 0.06, d.y));
    const double sun = std::fmax(0.0, dot(d, normalised({-0.45, 0.65, 0.60})));
    return c + Colour{1.0, 0.98, 0.92} * (0.35 * std::pow(sun, 60.0) + 0.12 * std::pow(sun, 6.0));
}

} // namespace

Image paint_plane()
{
    const PeriodicNoise streak_fine(256, 701), streak_coarse(64, 702);
    const Fbm smudge(4, 4, 703);
    return render(kTextureSize, kTextureSize, 3, [&](double u, double v) {
        // The ball's normal for this point; points outside the disc take the rim's.
        double nx = 2.0 * u - 1.0, ny = 1.0 - 2.0 * v;
        const double r2 = nx * nx + ny * ny;
        if (r2 > 0.999) {
            const double k = std::sqrt(0.999 / r2);
            nx *= k;
            ny *= k;
        }
        const double nz = std::sqrt(1.0 - nx * nx - ny * ny);
        const Vec reflected{2.0 * nz * nx, 2.0 * nz * ny, 2.0 * nz * nz - 1.0};
        Colour c = environment(reflected);

        // Streaks: noise stretched 64-fold along the brushing direction (horizontal).
        const double streaks = 0.6 * streak_fine.at(u * 4.0, v * 256.0) + 0.4 * streak_coarse.at(u * 1.0, v * 64.0);
        return c * (1.0 + 0.10 * streaks + 0.05 * smudge.at(u, v));
    });
}
