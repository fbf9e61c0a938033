#include "resources/Textures.h"

#include <cstdlib>

#include "platform/DataDir.h"
#include "platform/GL.h"

unsigned int texture[10] = {};

namespace {
const char* const texture_files[10] = {
    "Terrain.bmp", "Sky.bmp",   "Grass1.bmp", "Water.bmp", "City1.bmp",
    "City2.bmp",   "Explo.bmp", "Grass2.bmp", "Plane.bmp", "Sun.bmp",
};
}  // namespace

void upload_image(const AUX_RGBImageRec& image, bool mipmaps)
{
    // The reader's rows follow each other without padding, whatever the width; OpenGL expects
    // rows padded to 4 bytes unless told otherwise.
    GLint alignment = 4;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, 3, image.sizeX, image.sizeY, 0, GL_RGB, GL_UNSIGNED_BYTE,
                 image.data);
    if (mipmaps)
        gluBuild2DMipmaps(GL_TEXTURE_2D, 3, image.sizeX, image.sizeY, GL_RGB, GL_UNSIGNED_BYTE,
                          image.data);
    glPixelStorei(GL_UNPACK_ALIGNMENT, alignment);
}

int load_textures()
{
    int loaded = 0;
    for (int slot = 0; slot < 10; ++slot) {
        AUX_RGBImageRec* image = LoadBMP(data_file(texture_files[slot]).c_str());
        if (!image) continue;
        loaded = 1;
        glGenTextures(1, &texture[slot]);
        glBindTexture(GL_TEXTURE_2D, texture[slot]);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_NEAREST);
        upload_image(*image, true);
        std::free(image->data);
        std::free(image);
    }
    return loaded;
}
