// Landscape pictures. Grass1 and Grass2 are each stretched once over the whole terrain (about
// 29600 units, so one pixel covers some 115 units), and both are multiplied by the vertex
// colours that tint the land by height: the pictures carry light, mid-toned detail and leave
// the hue to the terrain.
#include <cmath>

#include "art.h"
#include "noise.h"

namespace {

// Sharp lines where the noise crosses zero: cracks and ridges.
double ridge(double n) { return 1.0 - std::fabs(n); }

} // namespace

Image paint_grass1()
{
    const Fbm meadow(3, 6, 101);  // lush and dark meadows, a few across the map
    const Fbm dryness(2, 6, 102); // sun-dried, yellowish stretches
    const Fbm rock(3, 7, 103);    // where the rock comes through
    const Fbm scrub(16, 4, 104);  // clumps of bushes
    const Fbm strata(10, 4, 105); // cracks and ledges in the rock
    const Fbm tufts(24, 3, 106);  // mid-sized light and dark patches in the grass
    const PeriodicNoise grain_a(128, 107), grain_b(256, 108); // the fine grain, about a pixel

    const Colour lush{0.66, 0.80, 0.48}, dark{0.48, 0.62, 0.36}, dry{0.82, 0.80, 0.58};
    const Colour bush{0.40, 0.52, 0.32};
    const Colour stone{0.80, 0.77, 0.71}, stone_dark{0.58, 0.56, 0.52};

    return render(kTextureSize, kTextureSize, 3, [&](double u, double v) {
        const double m = meadow.at(u, v);
        Colour grass = mix(lush, dark, smoothstep(-0.10, 0.30, m));
        grass = mix(grass, dry, 0.70 * smoothstep(0.0, 0.28, dryness.at(u, v)));
        grass = grass * (1.0 + 0.16 * tufts.at(u, v));
        grass = mix(grass, bush, 0.55 * smoothstep(0.05, 0.35, scrub.at(u, v) + 0.25 * m));

        // Rock shows on the broad highs of its own field, with a ragged edge from the scrub field.
        const double r = rock.at(u, v) + 0.12 * scrub.at(u * 2.0, v * 2.0);
        const double rockiness = smoothstep(0.08, 0.24, r);
        const double crack = smoothstep(0.86, 0.98, ridge(strata.at(u, v)));
        Colour ground = mix(stone, stone_dark, clamp01(0.4 + 1.6 * strata.at(v, u)));
        ground = ground * (1.0 - 0.35 * crack);
        Colour c = mix(grass, ground, rockiness);

        const double grain = 0.5 * grain_a.at(u * 128, v * 128) + 0.5 * grain_b.at(u * 256, v * 256);
        return c * (1.0 + 0.20 * grain);
    });
}

Image paint_grass2()
{
    const Fbm clouds(4, 7, 201);
    const Fbm tint(2, 4, 202);
    return render(kTextureSize, kTextureSize, 2, [&](double u, double v) {
        // Near white on average, with soft, evenly spread blotches of shade: a cloud shadow
        // pattern that darkens some stretches of land a little and none very much.
        const double n = clouds.at(u, v);
        const double light = 0.87 + 0.40 * n;
        const double warm = 0.03 * tint.at(u, v);
        return Colour{light + warm, light, light - warm};
    });
}

Image paint_terrain()
{
    const Fbm height(2, 8, 301);
    const double eps = 1.0 / 512.0;
    auto land = [&](double u, double v) { return 2.0 * height.at(u, v) + 0.06; };

    return render(kTextureSize, kTextureSize, 2, [&](double u, double v) {
        const double h = land(u, v);
        if (h < 0.0) {
            const Colour deep{0.10, 0.24, 0.48}, shallow{0.28, 0.52, 0.70};
            return mix(deep, shallow, smoothstep(-0.45, 0.0, h));
        }
        // Height bands: beach, lowland, highland, rock, snow.
        Colour c{0.86, 0.82, 0.62};
        c = mix(c, Colour{0.36, 0.60, 0.30}, smoothstep(0.01, 0.05, h));
        c = mix(c, Colour{0.58, 0.64, 0.36}, smoothstep(0.12, 0.30, h));
        c = mix(c, Colour{0.56, 0.46, 0.36}, smoothstep(0.30, 0.45, h));
        c = mix(c, Colour{0.62, 0.61, 0.60}, smoothstep(0.45, 0.55, h));
        c = mix(c, Colour{0.96, 0.96, 0.98}, smoothstep(0.58, 0.64, h));
        // Hill shading, lit from the upper left.
        const double dx = (land(u + eps, v) - land(u - eps, v)) / (2 * eps);
        const double dy = (land(u, v + eps) - land(u, v - eps)) / (2 * eps);
        const double shade = 1.0 - 0.06 * (dx + dy);
        return c * std::fmax(0.55, std::fmin(1.25, shade));
    });
}

Image paint_water()
{
    const Fbm warp_u(3, 3, 401), warp_v(3, 3, 402);
    const PeriodicNoise waves_a(6, 403), waves_b(10, 404);
    const Fbm depth(2, 4, 405);
    const Colour deep{0.04, 0.20, 0.36}, shallow{0.10, 0.36, 0.52}, glint{0.70, 0.88, 0.92};

    return render(kTextureSize, kTextureSize, 3, [&](double u, double v) {
        // Warp the lattice so the bright crests bend like light focused by ripples. The warp is
        // periodic itself, so the picture still tiles.
        const double wu = u + 0.08 * warp_u.at(u, v), wv = v + 0.08 * warp_v.at(u, v);
        const double a = std::pow(ridge(waves_a.at(wu * 6, wv * 6)), 10.0);
        const double b = std::pow(ridge(waves_b.at(wv * 10, wu * 10)), 12.0);
        const Colour base = mix(deep, shallow, clamp01(0.5 + 1.5 * depth.at(u, v)));
        return base + glint * (0.45 * a + 0.35 * b);
    });
}
