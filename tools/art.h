// The painters of Data/: each returns one finished picture. Every picture is 256 by 256.
#pragma once

#include <string>

#include "image.h"

constexpr int kTextureSize = 256;

// Landscape (art_land.cpp).
Image paint_grass1();  // grass and rock, stretched once over the whole terrain
Image paint_grass2();  // the light map multiplied over Grass1
Image paint_terrain(); // a relief map (loaded by the game, never drawn)
Image paint_water();   // tileable water ripples (loaded by the game, never drawn)

// Sky and glows (art_sky.cpp).
Image paint_sky();   // cloudy sky dome, zenith at the centre
Image paint_sun();   // the sun's glow on black, added onto the sky
Image paint_explo(); // one fiery puff on black, added by every explosion particle

// Aircraft skin (art_metal.cpp).
Image paint_plane(); // brushed-metal sphere (reflection) map

// City (art_city.cpp).
Image paint_city1(); // concrete office facade
Image paint_city2(); // glass tower facade

// Desktop icon (art_icon.cpp): the one picture with transparency, outside its rounded badge.
RgbaImage paint_icon();

// Font atlas (art_font.cpp). Reads the two DejaVu Sans Mono faces; on failure returns false and
// leaves a message in error.
bool paint_font(Image& atlas, std::string& error);
