// The landscape at four levels of detail, generated once at start-up.
#pragma once

class TerrainGrid {
public:
    // Generates the height field and builds the meshes of every level.
    void setPoints();
    // Makes level t (0 to 3) the one drawn and reports its size on the console.
    void update_current(int t);
    // Draws the current level.
    void display_terrain();
};

extern TerrainGrid terrain;
