#include "aircraft/Explosion.h"

void LoadExplosion() {}

void ResetExplosion() {}

void Explosion() {}
