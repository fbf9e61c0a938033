// The desktop icon: a white high-wing monoplane seen head-on, banking gently above a green
// horizon, on a rounded-square badge of sky. Every shape is a signed distance (negative inside)
// in badge units, -1..1 across with y up. Each pixel averages 6 x 6 samples, so the outlines
// are smooth and the badge's rounded edge fades into the transparent corners.
#include <algorithm>
#include <cmath>

#include "art.h"

namespace {

struct P { double x, y; }; // a point in badge units

double box(P p, P c, double hx, double hy, double r)
{
    const double qx = std::fabs(p.x - c.x) - hx + r, qy = std::fabs(p.y - c.y) - hy + r;
    return std::hypot(std::max(qx, 0.0), std::max(qy, 0.0)) + std::min(std::max(qx, qy), 0.0) - r;
}

double capsule(P p, P a, P b, double r)
{
    const double bx = b.x - a.x, by = b.y - a.y, px = p.x - a.x, py = p.y - a.y;
    const double h = clamp01((px * bx + py * by) / (bx * bx + by * by));
    return std::hypot(px - bx * h, py - by * h) - r;
}

P turn(P p, double angle)
{
    const double c = std::cos(angle), s = std::sin(angle);
    return {c * p.x - s * p.y, s * p.x + c * p.y};
}

const Colour kInk{0.06, 0.10, 0.20}, kRed{0.90, 0.22, 0.16}, kGrey{0.42, 0.46, 0.52};
constexpr double kOutline = 0.024; // the dark rim drawn round every part, so it reads when small

// Lays one part over c: its dark outline, then its fill.
void part(Colour& c, double d, Colour fill)
{
    if (d < kOutline) c = d < 0.0 ? fill : kInk;
}

Colour backdrop(P p)
{
    const double horizon = -0.40 - 0.10 * p.x * p.x; // a hint of the earth's curve
    if (p.y < horizon) return mix(Colour{0.42, 0.72, 0.30}, Colour{0.14, 0.44, 0.20}, smoothstep(horizon, -1.0, p.y));
    const Colour sky = mix(Colour{0.52, 0.88, 0.90}, Colour{0.07, 0.33, 0.72}, std::sqrt(smoothstep(horizon, 1.0, p.y)));
    const double sun = std::hypot(p.x + 0.52, p.y - 0.56);
    return sky + Colour{1.0, 0.95, 0.75} * (0.55 * smoothstep(0.15, 0.12, sun) + 0.25 * std::exp(-4.0 * sun));
}

// The aircraft in its own frame (fuselage at the origin, wings along x), drawn back to front.
void aircraft(Colour& c, P q)
{
    const P m{std::fabs(q.x), q.y}; // every part but the propeller is mirror-symmetric
    const Colour white = mix(Colour{0.74, 0.79, 0.86}, Colour{1.0, 1.0, 1.0}, smoothstep(-0.35, 0.30, q.y));
    part(c, capsule(q, {0.0, 0.20}, {0.0, 0.48}, 0.05), kRed); // fin
    part(c, capsule(m, {0.0, 0.05}, {0.42, 0.07}, 0.035), white); // tailplane
    if (capsule(m, {0.14, -0.04}, {0.46, 0.21}, 0.016) < 0.0) c = kGrey; // wing struts, unoutlined to stay light
    part(c, capsule(m, {0.0, 0.23}, {0.85, 0.31}, 0.06), m.x > 0.68 ? kRed : white); // wing
    part(c, capsule(m, {0.12, -0.18}, {0.27, -0.33}, 0.026), kGrey); // main gear legs
    part(c, box(m, {0.29, -0.39}, 0.065, 0.095, 0.065), white); // wheel fairings
    part(c, capsule(q, {0.0, -0.20}, {0.0, -0.36}, 0.026), kGrey); // nose gear
    part(c, box(q, {0.0, -0.42}, 0.06, 0.09, 0.06), white);
    part(c, box(q, {0.0, 0.07}, 0.21, 0.23, 0.14), white); // cabin
    const Colour glass = mix(Colour{0.14, 0.30, 0.52}, Colour{0.30, 0.55, 0.78}, clamp01((q.y - 0.08) * 7.0));
    const bool glint = std::fabs(q.x + q.y - 0.14) < 0.035; // a streak of reflected sky
    part(c, box(q, {0.0, 0.15}, 0.165, 0.08, 0.05), glint ? Colour{0.75, 0.90, 1.0} : glass); // windscreen
    part(c, box(q, {0.0, -0.09}, 0.18, 0.12, 0.11), white); // cowling, with its two air intakes
    if (box(m, {0.11, -0.16}, 0.035, 0.02, 0.02) < 0.0) c = kInk;
    // The spinning propeller: a faint disc with two blurred blades and the spinner at the hub.
    const P hub{0.0, -0.08};
    const double sweep = std::hypot(q.x - hub.x, q.y - hub.y);
    if (sweep < 0.42) c = mix(c, Colour{1.0, 1.0, 1.0}, sweep > 0.40 ? 0.30 : 0.16);
    const P blade = turn({0.40, 0.0}, 1.2);
    const double blades = capsule(q, {hub.x - blade.x, hub.y - blade.y}, {hub.x + blade.x, hub.y + blade.y}, 0.022);
    if (blades < 0.0) c = mix(c, kInk, 0.30);
    part(c, sweep - 0.065, kRed);
}

std::uint8_t to_byte(double x) { return std::uint8_t(std::lround(clamp01(x) * 255.0)); }

} // namespace

RgbaImage paint_icon()
{
    constexpr int n = 6;
    constexpr double bank = 0.17, scale = 0.95; // radians of roll; aircraft size on the badge
    RgbaImage icon{kTextureSize, kTextureSize, std::vector<std::uint8_t>(std::size_t(kTextureSize) * kTextureSize * 4)};
    for (int y = 0; y < kTextureSize; ++y) {
        for (int x = 0; x < kTextureSize; ++x) {
            Colour sum;
            int inside = 0;
            for (int s = 0; s < n * n; ++s) {
                const P p{2.0 * (x + (s % n + 0.5) / n) / kTextureSize - 1.0,
                          1.0 - 2.0 * (y + (s / n + 0.5) / n) / kTextureSize};
                const double edge = box(p, {0.0, 0.0}, 0.94, 0.94, 0.34);
                if (edge >= 0.0) continue;
                Colour c = backdrop(p);
                const P q = turn({p.x, p.y - 0.02}, -bank);
                aircraft(c, {q.x / scale, q.y / scale});
                if (edge > -0.025) c = mix(c, kInk, 0.35); // a dark rim, crisp on light desktops
                sum = sum + c;
                ++inside;
            }
            // Straight alpha: the colour averages the covered samples only, so the badge's
            // edge keeps its colour and just fades out.
            const Colour c = inside > 0 ? sum * (1.0 / inside) : Colour{};
            const double channels[4] = {c.r, c.g, c.b, double(inside) / (n * n)};
            for (int i = 0; i < 4; ++i) icon.rgba[(std::size_t(y) * kTextureSize + x) * 4 + i] = to_byte(channels[i]);
        }
    }
    return icon;
}
