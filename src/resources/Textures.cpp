#include "resources/Textures.h"

int load_textures() { return 0; }
