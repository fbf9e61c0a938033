#include "cockpit/UI.h"

void init_ui() {}

void draw_ui() {}
