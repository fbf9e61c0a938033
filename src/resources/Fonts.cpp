#include "resources/Fonts.h"

int load_font() { return 0; }

void build_font() {}
