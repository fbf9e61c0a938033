// Images read from bitmap files by name.
#pragma once

#include "resources/TkDib.h"

// The image in `Filename`, or null when the name is null or the file cannot be opened (no
// message). A file that opens but cannot be read as a bitmap is reported by the reader. The
// caller releases `data` and then the record with free().
AUX_RGBImageRec* LoadBMP(const char* Filename);
