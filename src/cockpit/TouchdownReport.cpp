#include "cockpit/TouchdownReport.h"

#include <cmath>
#include <algorithm>
#include <cstdio>

#include "aircraft/Collision.h"
#include "aircraft/FlightState.h"
#include "aircraft/RealFlight.h"
#include "cockpit/Help.h"
#include "core/Global.h"
#include "core/Settings.h"
#include "platform/GL.h"
#include "resources/Fonts.h"

namespace {

std::string printed(const char* format, double a, double b = 0)
{
    char line[64];
    std::snprintf(line, sizeof line, format, a, b);
    return line;
}

// Where the aircraft touched, seen the way it flew: down the runway from the threshold it
// crossed, and left or right of the centre line; else where it is off the runway.
std::string place(const Touchdown& t)
{
    const bool ahead = std::cos(t.heading * pi / 180) >= 0;  // along +z
    const double threshold = runway_threshold;
    const double along = ahead ? t.z + threshold : threshold - t.z;
    const double left = ahead ? t.x : -t.x;  // +x is the left seen along +z
    const char* side = left >= 0 ? "left" : "right";
    if (along < threshold - runway_end)
        return printed("%.0f m short of the runway", threshold - runway_end - along);
    if (along > threshold + runway_end)
        return printed("%.0f m past the runway's end", along - threshold - runway_end);
    if (std::fabs(left) > runway_half_width)
        return "on the grass, " + printed("%.0f m ", std::fabs(left) - runway_half_width) + side +
               " of the runway";
    const std::string down = printed("%.0f m down the runway, ", along);
    return down + (std::fabs(left) < 0.5 ? "centred" : printed("%.0f m ", std::fabs(left)) + side);
}

}  // namespace

std::vector<std::string> touchdown_report()
{
    const Touchdown& t = touchdown;
    if (t.outcome == NoTouchdown || !(landed || explo_enable)) return {};
    const char* why = nullptr;
    std::string reason;
    switch (t.outcome) {
    case Landed: reason = "LANDED"; break;
    case SinkTooFast: reason = printed("CRASHED: sink over %.0f m/s", most_sink); break;
    case TooMuchBank: reason = printed("CRASHED: bank over %.0f deg", most_bank); break;
    case GearUp: reason = "CRASHED: on its belly, gear up"; break;
    case NoseFirst: reason = printed("CRASHED: nose first, over %.0f down", most_nose_down); break;
    case TailFirst: reason = printed("CRASHED: tail first, over %.0f up", most_nose_up); break;
    case IntoTheTower: why = "CRASHED: into the control tower"; break;
    default: why = "CRASHED: at the edge of the map"; break;
    }
    if (why) return {why};
    const double nose = t.nose_up;
    return {reason,
            printed("sink %.1f m/s, bank %.0f deg, ", t.sink, std::fabs(t.bank)) +
                printed(nose >= 0 ? "nose %.0f up" : "nose %.0f down", std::fabs(nose)),
            place(t)};
}

void draw_touchdown_report()
{
    const std::vector<std::string> lines = touchdown_report();
    if (lines.empty()) return;
    constexpr int cell = 16, pitch = 18, top = 182, margin = 8;
    size_t widest = 0;
    for (const std::string& line : lines) widest = std::max(widest, line.size());
    const int left = 512 - int(widest) * cell / 2;
    glPushAttrib(GL_ENABLE_BIT | GL_COLOR_BUFFER_BIT | GL_CURRENT_BIT);
    glColor4f(0, 0, 0, 0.65f);
    text_rect(float(left - margin), float(top - pitch * int(lines.size() - 1) - 4),
              float(left + int(widest) * cell + margin), float(top + cell + 2));
    for (size_t i = 0; i < lines.size(); ++i) {
        if (i == 0 && touchdown.outcome == Landed)
            glColor4f(0.45f, 1, 0.45f, 1);
        else if (i == 0)
            glColor4f(1, 0.45f, 0.35f, 1);
        else
            glColor4f(1, 1, 1, 1);
        glPrint(left, top - pitch * int(i), lines[i].c_str(), i == 0 ? 1 : 0);
    }
    glPopAttrib();
}
