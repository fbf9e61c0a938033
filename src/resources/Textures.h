// The scenery textures, loaded once at start-up, and the upload of a read image.
#pragma once

#include "resources/Image.h"

// OpenGL texture names, one slot per image file; 0 where the file did not load.
extern unsigned int texture[10];

// The slots by the file they hold (Terrain.bmp, Sky.bmp, ... of the data directory).
enum TextureSlot {
    TEXTURE_TERRAIN = 0,
    TEXTURE_SKY = 1,
    TEXTURE_GRASS1 = 2,
    TEXTURE_WATER = 3,
    TEXTURE_CITY1 = 4,
    TEXTURE_CITY2 = 5,
    TEXTURE_EXPLO = 6,
    TEXTURE_GRASS2 = 7,
    TEXTURE_PLANE = 8,
    TEXTURE_SUN = 9,
};

// Loads the ten images of the data directory into texture objects; 1 when at least one loaded,
// else 0.
int load_textures();

// Uploads `image` as level 0 of the bound 2D texture (3 components), and with `mipmaps` the
// whole chain as GLU builds it from the same image.
void upload_image(const AUX_RGBImageRec& image, bool mipmaps);
