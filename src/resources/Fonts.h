// The bitmap font for screen text.
#pragma once

extern unsigned int font;  // texture name of the data directory's Font.bmp, 0 until loaded
extern unsigned int base;  // first of the 256 glyph display lists

// Loads Font.bmp of the data directory into the font texture; 1 when loaded, else 0.
int load_font();
// Compiles one display list per glyph cell: a 16 by 16 textured quad, then a move 16 right.
void build_font();
// Sets up the 1024 by 768 frame stretched over the window that text is placed in (both matrices
// pushed, the model-view one current), and takes it down again.
void push_text_frame();
void pop_text_frame();
// Draws `string` in the current colour, additively, with its first glyph's lower-left corner
// at (x, y) of a 1024 by 768 frame stretched over the window. Set 0 is the plain face, 1 (or
// more) the bold one. Leaves lighting and depth testing on and 2D texturing off on unit 0.
void glPrint(int x, int y, const char* string, int set);

