// The font atlas: 16 by 16 cells of 16 by 16 pixels, white glyphs on black. Cells 0-95 hold
// the character codes 32-127 in DejaVu Sans Mono, cells 128-223 the same codes in its bold
// face, counted left to right and top to bottom; the other cells stay black. The game draws
// every glyph as a 16 by 16 quad and advances 16 units, so a monospace face keeps text evenly
// spaced, and each glyph sits centred in its cell.
#include <stb_truetype.h> // implementation linked from libstb

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <vector>

#include "art.h"

namespace {

constexpr int kCell = 16;
constexpr int kMargin = 1;  // black border inside every cell, so linear filtering never picks
                            // up a neighbour's ink
// DejaVu Sans Mono advances 0.6 em, which would leave wide gaps between the glyphs at the
// game's fixed 16-unit advance; drawing it a third wider fills the cells better and keeps
// words readable as words.
constexpr double kWidening = 1.33;
constexpr int kFirstCode = 32, kLastCode = 127;
constexpr int kBoldCells = 128;
const char* const kFaces[2] = {
    "/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf",
    "/usr/share/fonts/truetype/dejavu/DejaVuSansMono-Bold.ttf",
};

struct Face {
    std::vector<unsigned char> bytes; // stb_truetype reads the file in place
    stbtt_fontinfo info{};
};

bool load_face(const char* path, Face& face, std::string& error)
{
    std::ifstream file(path, std::ios::binary);
    face.bytes.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    const int offset = face.bytes.empty() ? -1 : stbtt_GetFontOffsetForIndex(face.bytes.data(), 0);
    if (offset < 0 || !stbtt_InitFont(&face.info, face.bytes.data(), offset)) {
        error = std::string("cannot read the font ") + path + " (Debian package fonts-dejavu-core)";
        return false;
    }
    return true;
}

// Layout shared by both faces, so plain and bold text line up: one scale, one baseline.
struct Layout {
    double scale = 0;   // pixels per font unit
    int baseline = 0;   // pixel row of the baseline, counted from the cell's top
};

// The largest scale at which every printable glyph of both faces fits between the margins,
// with the baseline on a whole pixel row so that flat stems and serifs stay crisp.
Layout fit(const Face faces[2])
{
    int top = 0, bottom = 0; // ink extent above and below the baseline, in font units
    for (int f = 0; f < 2; ++f) {
        for (int code = kFirstCode; code <= kLastCode; ++code) {
            int x0, y0, x1, y1;
            if (!stbtt_GetCodepointBox(&faces[f].info, code, &x0, &y0, &x1, &y1)) continue;
            top = std::max(top, y1);
            bottom = std::min(bottom, y0);
        }
    }
    Layout best;
    const int inner = kCell - 2 * kMargin;
    for (int baseline = kMargin + 1; baseline < kCell - kMargin; ++baseline) {
        const double above = double(baseline - kMargin) / top;
        const double below = bottom < 0 ? double(kMargin + inner - baseline) / -bottom : above;
        const double scale = std::min(above, below);
        if (scale > best.scale) best = {scale, baseline};
    }
    return best;
}

// Draws one glyph into its cell; false if any ink would fall outside the margins.
bool draw_glyph(const Face& face, const Layout& layout, int code, int cell, Image& atlas)
{
    if (stbtt_FindGlyphIndex(&face.info, code) == 0) return true; // no glyph (127): a black cell
    int advance, bearing;
    stbtt_GetCodepointHMetrics(&face.info, code, &advance, &bearing);
    const int pen_x = int(std::lround((kCell - advance * layout.scale * kWidening) / 2.0));

    const float sx = float(layout.scale * kWidening), sy = float(layout.scale);
    int x0, y0, x1, y1;
    stbtt_GetCodepointBitmapBox(&face.info, code, sx, sy, &x0, &y0, &x1, &y1);
    const int w = x1 - x0, h = y1 - y0;
    if (w <= 0 || h <= 0) return true; // blank
    std::vector<unsigned char> coverage(std::size_t(w) * h);
    stbtt_MakeCodepointBitmap(&face.info, coverage.data(), w, h, w, sx, sy, code);

    const int cell_x = (cell % 16) * kCell, cell_y = (cell / 16) * kCell; // rows from the top
    for (int j = 0; j < h; ++j) {
        for (int i = 0; i < w; ++i) {
            const unsigned char ink = coverage[std::size_t(j) * w + i];
            if (ink == 0) continue;
            const int x = pen_x + x0 + i, y = layout.baseline + y0 + j;
            if (x < kMargin || x >= kCell - kMargin || y < kMargin || y >= kCell - kMargin) return false;
            const double level = ink / 255.0;
            atlas.set(cell_x + x, cell_y + y, Colour{level, level, level});
        }
    }
    return true;
}

} // namespace

bool paint_font(Image& atlas, std::string& error)
{
    Face faces[2];
    for (int f = 0; f < 2; ++f)
        if (!load_face(kFaces[f], faces[f], error)) return false;

    const Layout layout = fit(faces);
    atlas = Image(kCell * 16, kCell * 16); // all black
    for (int f = 0; f < 2; ++f) {
        for (int code = kFirstCode; code <= kLastCode; ++code) {
            const int cell = code - kFirstCode + f * kBoldCells;
            if (!draw_glyph(faces[f], layout, code, cell, atlas)) {
                char text[96];
                std::snprintf(text, sizeof text, "glyph %d of %s does not fit its cell", code, kFaces[f]);
                error = text;
                return false;
            }
        }
    }
    return true;
}
