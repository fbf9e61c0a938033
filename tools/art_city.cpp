// Building facades. The game draws each side of a city block with one whole copy of a picture,
// but the box hands out its texture coordinates so that s runs from the roof down to the
// ground and t from left to right as seen from outside. The pictures therefore hold each
// facade turned a quarter turn counter-clockwise (roof on the left), which stands it upright
// on the buildings. A box's roof shows the single texel at the picture's corner, so the
// facades' corners are plain wall.
#include <algorithm>
#include <cmath>
#include <vector>

#include "art.h"
#include "noise.h"

namespace {

// Paints a picture from a facade function of x (0 left .. 1 right) and y (0 ground .. 1 roof).
Image render_facade(int samples, const std::function<Colour(double x, double y)>& facade)
{
    return render(kTextureSize, kTextureSize, samples, [&](double u, double v) { return facade(1.0 - v, 1.0 - u); });
}

// Position within a regular grid of `count` cells from lo to hi: the cell index (positions
// outside count as the nearest end cell) and, in `frac`, the fraction across that cell.
int cell(double p, double lo, double hi, int count, double& frac)
{
    const double f = (p - lo) / (hi - lo) * count;
    const int i = std::min(count - 1, std::max(0, int(std::floor(f))));
    frac = f - i;
    return i;
}

// One choice per window, fixed by seed.
std::vector<int> window_states(int count, std::uint64_t seed, const std::vector<double>& odds)
{
    Rng rng(seed);
    std::vector<int> states(count);
    for (int& s : states) {
        double pick = rng.uniform();
        s = 0;
        for (std::size_t k = 0; k < odds.size(); ++k) {
            if (pick < odds[k]) {
                s = int(k) + 1;
                break;
            }
            pick -= odds[k];
        }
    }
    return states;
}

} // namespace

Image paint_city1()
{
    // A concrete office block: ten storeys, twelve window bays, a dark stone ground floor with
    // shop windows, a parapet on top. Some windows are lit, some have their blinds down.
    const int floors = 9, bays = 12, shops = 4;
    enum { Dark = 0, Lit = 1, Blinds = 2 };
    const std::vector<int> state = window_states(floors * bays, 801, {0.26, 0.18});
    // Each pane reflects a little differently and each lit room has its own lamp.
    Rng pane_rng(805);
    std::vector<double> sheen(floors * bays), warmth(floors * bays);
    for (std::size_t i = 0; i < sheen.size(); ++i) {
        sheen[i] = pane_rng.uniform(0.85, 1.2);
        warmth[i] = pane_rng.uniform();
    }
    const std::vector<int> shop_lit = window_states(shops, 802, {0.6});
    const Fbm weathering(6, 5, 803);
    const PeriodicNoise rain(64, 804);

    const double pier = 0.035, plinth = 0.035, ground_top = 0.15, parapet = 0.95;
    const Colour concrete{0.82, 0.80, 0.75}, stone{0.46, 0.44, 0.41}, frame{0.90, 0.90, 0.88};
    const Colour glass_dark{0.14, 0.18, 0.25}, glass_sky{0.46, 0.55, 0.66};
    const Colour lamp{1.0, 0.86, 0.52}, tube{0.92, 0.94, 0.84}, blind{0.84, 0.80, 0.70};

    auto wall = [&](double x, double y) {
        const double grime = weathering.at(x, y);
        return concrete * (1.0 + 0.10 * grime);
    };
    auto glass = [&](double wx, double wy, std::size_t pane) {
        // wx, wy: position inside the window, 0..1 from its lower left corner.
        const int s = state[pane];
        if (s == Lit) {
            // Warm lamps or cool office tubes; desks and chairs darken the lower part.
            const Colour light = mix(lamp, tube, warmth[pane] < 0.4 ? 1.0 : 0.0);
            return light * (wy < 0.22 ? 0.62 : 0.80 + 0.20 * wy);
        }
        if (s == Blinds && wy > 0.35) {
            const double slat = std::fmod(wy * 14.0, 1.0);
            return blind * (slat < 0.2 ? 0.82 : 1.0);
        }
        // Dark glass that mirrors the sky towards its top, with a faint diagonal glint.
        Colour g = mix(glass_dark, glass_sky, std::pow(wy, 1.4)) * sheen[pane];
        return g + Colour{0.10, 0.10, 0.10} * smoothstep(0.10, 0.0, std::fabs(wx - wy * 0.6 - 0.1));
    };

    return render_facade(3, [&](double x, double y) {
        if (x < pier || x > 1.0 - pier || y > parapet) {
            Colour c = wall(x, y);
            if (y > parapet && y < parapet + 0.008) c = c * 0.80; // shadow under the coping
            return c;
        }
        if (y < plinth) return stone * 0.80;
        double fx, fy;
        if (y < ground_top) {
            const int shop = cell(x, pier, 1.0 - pier, shops, fx);
            fy = (y - plinth) / (ground_top - plinth);
            if (fx < 0.08 || fx > 0.92 || fy > 0.85) return stone * (1.0 + 0.08 * weathering.at(x * 3, y * 3));
            if (fx < 0.09 || fx > 0.91 || fy < 0.03 || fy > 0.84) return frame * 0.6;
            const bool lit = shop_lit[std::size_t(shop)] != 0;
            const Colour inside = lit ? lamp * (0.7 + 0.3 * fy) : glass_dark;
            return mix(inside, glass_sky, 0.25 * fy);
        }
        const int floor = cell(y, ground_top, parapet, floors, fy);
        const int bay = cell(x, pier, 1.0 - pier, bays, fx);
        const bool in_window = fx > 0.15 && fx < 0.85 && fy > 0.30 && fy < 0.86;
        if (!in_window) {
            // Rain has run down from each sill and left darker streaks on the wall below it.
            Colour c = wall(x, y);
            const double streak = 0.5 + rain.at(x * 64.0, y * 4.0);
            if (fy < 0.30 && fx > 0.12 && fx < 0.88) c = c * (1.0 - 0.12 * streak * (fy / 0.30));
            if (fy > 0.25 && fy < 0.30 && fx > 0.12 && fx < 0.88) c = frame * 0.95; // sill
            return c;
        }
        const double wx = (fx - 0.15) / 0.70, wy = (fy - 0.30) / 0.56;
        if (wx < 0.04 || wx > 0.96 || wy < 0.05 || wy > 0.95 || std::fabs(wx - 0.5) < 0.03) return frame;
        return glass(wx, wy, std::size_t(floor * bays + bay));
    });
}

Image paint_city2()
{
    // A glass tower: a blue-green curtain wall that mirrors the sky, aluminium mullions, darker
    // spandrel bands at each floor, a few lit offices, dark metal corner piers and crown, and a
    // tall lit lobby.
    const int floors = 18, bays = 8;
    const std::vector<int> lit = window_states(floors * bays, 901, {0.13});
    Rng tint_rng(902);
    std::vector<double> tint(floors * bays);
    for (double& t : tint) t = tint_rng.uniform(-1.0, 1.0);
    const Fbm reflection(3, 5, 903);

    const double pier = 0.03, base_top = 0.07, crown = 0.955;
    const Colour metal{0.44, 0.47, 0.50}, aluminium{0.82, 0.84, 0.87};
    const Colour glass_low{0.10, 0.27, 0.36}, glass_high{0.50, 0.68, 0.80}, cloud{0.85, 0.89, 0.93};
    const Colour spandrel{0.10, 0.17, 0.23}, office{0.94, 0.92, 0.76}, lobby{1.0, 0.88, 0.60};

    auto mirrored_sky = [&](double x, double y) {
        Colour g = mix(glass_low, glass_high, smoothstep(0.0, 1.1, y));
        const double clouds = smoothstep(0.02, 0.25, reflection.at(x * 0.7, y * 0.5));
        return mix(g, cloud, 0.45 * clouds * y);
    };

    return render_facade(3, [&](double x, double y) {
        if (x < pier || x > 1.0 - pier) return metal * (x < pier ? 0.95 : 1.0);
        if (y > crown) return (y < crown + 0.006) ? aluminium : metal * 1.15;
        double fx, fy;
        if (y < base_top) {
            cell(x, pier, 1.0 - pier, bays / 2, fx);
            if (fx < 0.06 || fx > 0.94) return metal;
            fy = y / base_top;
            if (fy > 0.92 || std::fmod(fx * 3.0, 1.0) < 0.04) return aluminium; // lobby glazing bars
            return lobby * (0.75 + 0.25 * fy);
        }
        const int floor = cell(y, base_top, crown, floors, fy);
        const int bay = cell(x, pier, 1.0 - pier, bays, fx);
        if (fx < 0.035 || fx > 0.965) return aluminium * 0.95; // mullions
        if (fy < 0.05) return aluminium * 0.85;                 // transom at the floor line
        const std::size_t pane = std::size_t(floor * bays + bay);
        Colour sky = mirrored_sky(x, y) * (1.0 + 0.05 * tint[pane]);
        if (fy < 0.28) return mix(spandrel, sky, 0.35);
        if (lit[pane] != 0) sky = mix(sky, office, 0.65);
        // A faint sheen across each pane where the panes bow slightly.
        return sky + Colour{0.06, 0.06, 0.06} * smoothstep(0.25, 0.0, std::fabs(fx + fy * 0.5 - 0.7));
    });
}
