#include "resources/Image.h"

#include <cstdio>

#include "resources/TkDib.h"

AUX_RGBImageRec* LoadBMP(const char* Filename)
{
    if (!Filename) return nullptr;
    FILE* file = std::fopen(Filename, "r");
    if (!file) return nullptr;
    std::fclose(file);
    return auxDIBImageLoadA(Filename);
}
