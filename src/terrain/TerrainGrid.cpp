#include "terrain/TerrainGrid.h"

TerrainGrid terrain;

void TerrainGrid::setPoints() {}

void TerrainGrid::update_current(int) {}

void TerrainGrid::display_terrain() {}
