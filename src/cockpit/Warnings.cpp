#include "cockpit/Warnings.h"

#include <cmath>

#include "aircraft/Collision.h"
#include "platform/GL.h"
#include "resources/Fonts.h"

float cnt1 = 0;
float cnt2 = 0;

namespace {

float shown1 = 0, shown2 = 0;  // the phase of the next warning drawn in this frame

void advance(float& phase1, float& phase2)
{
    phase1 += 0.03f;
    phase2 += 0.03f;
}

// Fades the text out and in again as the shared phase advances: full strength while the sine
// is not positive, since OpenGL clamps the alpha.
void draw_warning(int x, const char* text)
{
    glColor4f(0.1f, 0.1f, 0.1f, 1 - std::sin(shown1 + shown2));
    glPrint(x, 752, text, 0);
    advance(shown1, shown2);
}

}  // namespace

void advance_warnings()
{
    Warning warnings[6];
    for (int i = warnings_due(warnings); i > 0; --i) advance(cnt1, cnt2);
}

void collision_messages()
{
    static void (*const draw[])() = {draw_pull_down, draw_pull_up, draw_map_warning};
    Warning warnings[6];
    const int n = warnings_due(warnings);
    shown1 = cnt1;
    shown2 = cnt2;
    for (int i = 0; i < n; ++i) draw[warnings[i]]();
}

void draw_pull_down() { draw_warning(440, "PULL-DOWN"); }
void draw_pull_up() { draw_warning(456, "PULL-UP"); }
void draw_map_warning() { draw_warning(424, "TURN-AROUND"); }
