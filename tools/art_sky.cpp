// The sky dome and the two additive glows.
#include <cmath>

#include "art.h"
#include "noise.h"

namespace {

// The dome maps texture coordinates radially: the centre is the zenith, radius 0.3 the ring at
// 45 degrees of elevation, radius 0.5 a ring far below the horizon. The cap out to radius 0.3
// is a fan of flat triangles from the zenith (height 33333.33) to the upper ring (height and
// radius 23570); this is the point of the cap that shows a texel at the given radius.
struct DomePoint {
    double across; // horizontal distance from the eye
    double up;     // height above the eye
};

DomePoint dome_point(double radius)
{
    const double zenith = 33333.33, upper = 23570.0;
    const double f = radius / 0.3;
    return {upper * f, zenith + (upper - zenith) * f};
}

// Picture coordinates (v from the top) to texture coordinates centred on the middle (t up).
void centred(double u, double v, double& x, double& y)
{
    x = u - 0.5;
    y = 0.5 - v;
}

} // namespace

Image paint_sky()
{
    // The cap (up to 45 degrees from the zenith) holds a flat layer of clouds seen in
    // perspective: for each texel the direction it shows is followed up to the layer and the
    // cloud field is read where it lands, so clouds look largest overhead. The skirt is drawn
    // as sixteen big quads whose texture coordinates cut across the rings as chords, and it
    // fades out through its own alpha, so it carries only a gentle, even fall from the sky's
    // colour at 45 degrees to the haze over the whole ring: any sharper detail there would
    // show as streaks and spikes along the horizon.
    const Fbm clouds(40, 5, 501);
    const Colour zenith{0.16, 0.36, 0.80}, horizon{0.70, 0.82, 0.95}, haze{0.86, 0.90, 0.96};
    const Colour cloud_lit{1.0, 1.0, 1.0}, cloud_shade{0.66, 0.71, 0.80};
    const double span = 12.0; // the cloud field repeats every 12 layer heights

    auto sky = [&](double sine_of_elevation) { return mix(horizon, zenith, std::sqrt(sine_of_elevation)); };

    return render(kTextureSize, kTextureSize, 4, [&](double u, double v) {
        double x, y;
        centred(u, v, x, y);
        const double radius = std::hypot(x, y);
        if (radius >= 0.3) return mix(sky(std::sqrt(0.5)), haze, smoothstep(0.3, 0.5, radius));

        const DomePoint p = dome_point(radius);
        const Colour clear = sky(p.up / std::hypot(p.across, p.up));
        const double ax = radius > 0.0 ? x / radius : 1.0, ay = radius > 0.0 ? y / radius : 0.0;
        const double reach = p.across / p.up; // in layer heights
        const double n = clouds.at(0.5 + ax * reach / span, 0.5 + ay * reach / span);
        const double density = smoothstep(-0.05, 0.20, n) * smoothstep(0.30, 0.23, radius);
        // Thicker parts of a cloud are darker underneath; the rims catch the light.
        const Colour cloud = mix(cloud_lit, cloud_shade, 0.75 * smoothstep(0.08, 0.36, n));
        return mix(clear, cloud, density);
    });
}

Image paint_sun()
{
    // A white-hot disc with a soft limb inside a warm halo that reaches true black well inside
    // the square: under additive blending black adds nothing, so the quad's edges never show.
    const Colour disc{1.0, 0.98, 0.90}, halo{1.0, 0.82, 0.50};
    return render(kTextureSize, kTextureSize, 3, [&](double u, double v) {
        double x, y;
        centred(u, v, x, y);
        const double r = std::hypot(x, y) / 0.5; // 1 at the middle of each edge
        const double core = smoothstep(0.20, 0.16, r);
        const double glow = 0.55 * std::exp(-std::pow(r / 0.26, 2.0)) + 0.30 * std::exp(-r / 0.16);
        const double fade = smoothstep(0.90, 0.55, r);
        return disc * core + halo * (glow * fade * (1.0 - core));
    });
}

Image paint_explo()
{
    // A billowing ball of fire: a round falloff with a ragged, warped edge and turbulent
    // brightness inside, coloured through a black-red-orange-yellow-white ramp, black well
    // before the edges.
    const Fbm warp_x(4, 4, 601), warp_y(4, 4, 602), billows(5, 5, 603);
    auto fire = [](double i) {
        const Colour ramp[] = {{0, 0, 0}, {0.50, 0.06, 0.0}, {0.95, 0.36, 0.03}, {1.0, 0.70, 0.18}, {1.0, 0.95, 0.70}};
        const double p = clamp01(i) * 4.0;
        const int k = p >= 4.0 ? 3 : int(p);
        return mix(ramp[k], ramp[k + 1], p - k);
    };
    return render(kTextureSize, kTextureSize, 3, [&](double u, double v) {
        double x, y;
        centred(u, v, x, y);
        const double wx = x + 0.06 * warp_x.at(u, v), wy = y + 0.06 * warp_y.at(u, v);
        const double r = std::hypot(wx, wy) / 0.5;
        const double body = smoothstep(0.80, 0.05, r + 0.35 * billows.at(u, v));
        const double turbulence = 0.70 + 1.1 * billows.at(u + 0.37, v + 0.21);
        const double core = 0.45 * std::exp(-std::pow(r / 0.28, 2.0)); // white-hot heart
        const double fade = smoothstep(0.85, 0.65, std::hypot(x, y) / 0.5);
        return fire((body * turbulence + core) * fade);
    });
}
