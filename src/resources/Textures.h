// The scenery textures, loaded once at start-up.
#pragma once

// Loads the ten images of Data/ into texture objects; 1 when at least one loaded, else 0.
int load_textures();
