#include "resources/Fonts.h"

#include <cstdlib>
#include <cstring>

#include "platform/DataDir.h"
#include "platform/GL.h"
#include "platform/GLExt.h"
#include "resources/Image.h"
#include "resources/Textures.h"

unsigned int font = 0;
unsigned int base = 0;

int load_font()
{
    AUX_RGBImageRec* image = LoadBMP(data_file("Font.bmp").c_str());
    if (!image) return 0;
    glGenTextures(1, &font);
    glBindTexture(GL_TEXTURE_2D, font);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    upload_image(*image, false);
    std::free(image->data);
    std::free(image);
    return 1;
}

void build_font()
{
    base = glGenLists(256);
    glBindTexture(GL_TEXTURE_2D, font);
    for (int k = 0; k < 256; ++k) {
        // Cell k: column k mod 16, row k div 16 counted from the top of the image.
        const float cx = float(k % 16) / 16.0f;
        const float cy = float(k / 16) / 16.0f;
        glNewList(base + k, GL_COMPILE);
        glBegin(GL_QUADS);
        glTexCoord2f(cx, 1 - cy - 0.0625f);
        glVertex2i(0, 0);
        glTexCoord2f(cx + 0.0625f, 1 - cy - 0.0625f);
        glVertex2i(16, 0);
        glTexCoord2f(cx + 0.0625f, 1 - cy);
        glVertex2i(16, 16);
        glTexCoord2f(cx, 1 - cy);
        glVertex2i(0, 16);
        glEnd();
        glTranslated(16, 0, 0);
        glEndList();
    }
}

void push_text_frame()
{
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    gluOrtho2D(0, 1024, 0, 768);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
}

void pop_text_frame()
{
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
}

void glPrint(int x, int y, const char* string, int set)
{
    ext::glActiveTextureARB(GL_TEXTURE0_ARB);
    glEnable(GL_TEXTURE_2D);
    if (set > 1) set = 1;

    glBindTexture(GL_TEXTURE_2D, font);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_LIGHTING);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);

    push_text_frame();
    glTranslated(x, y, 0);

    // Codes are signed bytes: those from 128 up fall below the set's first glyph.
    glListBase(base - 32 + 128 * set);
    glCallLists(GLsizei(std::strlen(string)), GL_BYTE, string);

    pop_text_frame();

    glEnable(GL_LIGHTING);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_DEPTH_TEST);
    ext::glActiveTextureARB(GL_TEXTURE0_ARB);
    glDisable(GL_TEXTURE_2D);
}
