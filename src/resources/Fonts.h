// The bitmap font for screen text.
#pragma once

// Loads Data/Font.bmp into the font texture; 1 when loaded, else 0.
int load_font();
// Compiles one display list per glyph.
void build_font();
