// The landscape at four levels of detail, generated once at start-up, and the level drawn.
#pragma once

#include <cstddef>
#include <vector>

#include "terrain/TerrainDetail.h"
#include "terrain/TerrainPatches.h"
#include "terrain/Vertex.h"

class TerrainGrid {
public:
    // The same square, x and z from -14784 to 14784, at spacings 1408, 704, 352 and 176.
    // Point [i][j] lies at x = -14784 + j * spacing, z = -14784 + i * spacing.
    Vertex Grid0[22][22];
    Vertex Grid1[43][43];
    Vertex Grid2[85][85];
    Vertex Grid3[169][169];

    // The current level's drawable arrays: one vertex per index, three per triangle.
    std::vector<float> vertices, texCoord0, texCoord1, colours, normals;
    std::vector<unsigned int> indices;

    // Every level's arrays, built once by makeTriangles and makeSTriangles.
    std::vector<float> l0_vertices, l0_texCoord0, l0_texCoord1, l0_colours, l0_normals;
    std::vector<unsigned int> l0_indices;
    std::vector<float> l1_vertices, l1_texCoord0, l1_texCoord1, l1_colours, l1_normals;
    std::vector<unsigned int> l1_indices;
    std::vector<float> l2_vertices, l2_texCoord0, l2_texCoord1, l2_colours, l2_normals;
    std::vector<unsigned int> l2_indices;
    std::vector<float> l3_vertices, l3_texCoord0, l3_texCoord1, l3_colours, l3_normals;
    std::vector<unsigned int> l3_indices;

    // What drawing keeps of the current arrays: their patches, and a copy in buffer objects of
    // the context the terrain is drawn in (vertex attributes one after the other, and indices),
    // filled again at the first drawing after every update_current.
    TerrainPatches patches;
    unsigned int mesh_buffers[2] = {0, 0};
    bool mesh_in_buffers = false;
    // False draws every patch, wherever the view looks: the comparisons' plain drawing.
    bool cull_patches = true;
    std::size_t drawn_indices = 0;  // indices sent by the last display_terrain

    // Detail by distance for the current level, drawn when the player has it on: the coarser
    // meshes go into buffer objects of their own at the first drawing after every
    // update_current, the curtains into the last buffer at every drawing.
    TerrainDetail detail;
    unsigned int detail_buffers[4] = {0, 0, 0, 0};
    bool detail_in_buffers = false;

    int indexCounter = 0;  // next index handed out while a mesh is built
    float lowestY = 0;     // lowest and highest heights met while generating
    float highestY = 0;

    // Generates the height field, builds every level's mesh and makes level 0 current.
    void setPoints();
    // Level 0 from Grid0.
    void makeTriangles();
    // Levels 1, 2 and 3 from Grid1, Grid2 and Grid3.
    void makeSTriangles();
    // Makes level t (0 to 3) the one drawn and reports its size on the console; any other t
    // does nothing.
    void update_current(int t);
    // Draws the current level's patches that the view may show, in one indexed call.
    void display_terrain();
};

extern TerrainGrid terrain;
