#include "resources/Image.h"

#include <unistd.h>

#include <cstdint>
#include <string>

#include "platform/ReadFile.h"
#include "resources/TkDib.h"

AUX_RGBImageRec* LoadBMP(const char* Filename)
{
    if (!Filename) return nullptr;
    // The probe opens without blocking, and takes a FIFO, a directory or a device in a file's
    // place for a file that cannot be opened: the data directory's check has named it.
    FileState state;
    std::string why;
    const int fd = open_to_read(Filename, SIZE_MAX, state, why);
    if (fd < 0) return nullptr;
    close(fd);
    return auxDIBImageLoadA(Filename);
}
