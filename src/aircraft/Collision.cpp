#include "aircraft/Collision.h"

void collisions() {}
