#include "cockpit/Help.h"

#include <iterator>

#include "core/Settings.h"
#include "platform/GL.h"
#include "resources/Fonts.h"

namespace {

const char* const help_lines[] = {
    "KEYS",
    "+ -            throttle up, down",
    "Down Up        nose up, nose down",
    "Left Right     rudder left, right",
    "F3 F4          ailerons (bank)",
    "PgUp PgDn      flaps down, up",
    "End            centre the controls",
    "G              gear (in the air)",
    "T              tower view, chase view",
    "S C            overhead, chase view",
    "8 2 4 6 1 3    turn the chase camera",
    "5              stop the chase camera",
    "7 9            camera closer, farther",
    "R              back to the runway",
    "M              simple or real model",
    "A Z            finer, coarser terrain",
    "P              pause",
    "H              this table",
    "I              flight figures",
    "F1 F2          full screen, window",
    "F12            screenshot",
    "Esc            quit",
};
const int line_count = int(sizeof help_lines / sizeof help_lines[0]);
// The real flight model's trim and instruments, and the mouse stick, below the others while the
// real model flies; the simple model's table stays as it was.
const char* const real_flight_lines[] = {
    "Home Insert    trim nose down, up",
    "U J            HUD, mouse as stick",
};

// A dark translucent rectangle.
void panel(float left, float bottom, float right, float top)
{
    glColor4f(0, 0, 0, 0.65f);
    text_rect(left, bottom, right, top);
}

}  // namespace

void text_rect(float left, float bottom, float right, float top)
{
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_LIGHTING);
    glDisable(GL_DEPTH_TEST);
    push_text_frame();
    glRectf(left, bottom, right, top);
    pop_text_frame();
}

// The text's glyphs are added to the panel (the font's own blending), so they stand out white.
// The panel, from 200 up to at most 664, stands between the instrument overlay, whose highest
// marker reaches 190 of the 768 units, and the pause notice and flight figures above; both
// frames stretch with the window alike. The real flight model's lines stand closer.
void draw_help()
{
    const int extra = real_flight ? int(std::size(real_flight_lines)) : 0;
    const int lines = line_count + extra, line_height = extra ? 18 : 19, bottom = 200;
    const int top = bottom + lines * line_height + 16;
    glPushAttrib(GL_ENABLE_BIT | GL_COLOR_BUFFER_BIT | GL_CURRENT_BIT);
    panel(192, float(bottom), 832, float(top + 16));
    glColor4f(1, 1, 1, 1);
    for (int i = 0; i < lines; ++i)
        glPrint(216, top - (i + 1) * line_height + 4,
                i < line_count ? help_lines[i] : real_flight_lines[i - line_count], i == 0 ? 1 : 0);
    glPopAttrib();
}

void draw_paused()
{
    glPushAttrib(GL_ENABLE_BIT | GL_COLOR_BUFFER_BIT | GL_CURRENT_BIT);
    panel(432, 664, 592, 712);
    glColor4f(1, 1, 1, 1);
    glPrint(464, 680, "PAUSED", 1);
    glPopAttrib();
}
