// The terrain mesh cut into square patches of cells, each with its bounding box, so that the
// patches wholly outside the view volume are never sent to be drawn. What is sent keeps the
// mesh's own order, so depth ties between its triangles resolve as they always did.
#pragma once

#include <vector>

class TerrainPatches {
public:
    // Patches along a side at every level: one per cell of the coarsest grid.
    static const int per_side = 21;

    int cells = 0;  // cells along a side of the mesh
    // Per patch, row by row as the cells go: lowest x, y, z, then highest x, y, z.
    std::vector<float> boxes;

    // Bounds of the patches of a mesh laid out as the terrain's: a square of cells, row by row,
    // six vertices (x, y, z each) per cell. A mesh of any other size gets no patches.
    void build(const std::vector<float>& vertices);

    // Whether a patch may show through the view `clip` (the projection times the model-view,
    // column by column). Only a box that lies wholly outside one face of the view volume, with
    // room to spare against rounding and against lines that light pixels near them, is hidden.
    bool may_show(int patch, const double clip[16]) const;

    // The index runs to draw for the view `clip`: every cell of every patch that may show, in
    // the mesh's order, adjacent cells joined into one run. Without patches, none: the caller
    // then draws the whole mesh.
    void visible_runs(const double clip[16], std::vector<int>& first,
                      std::vector<int>& count) const;

    // The index runs that draw the patches marked in `drawn` of a mesh of `cells` cells along a
    // side laid out as the terrain's, in the mesh's order, adjacent cells joined into one run.
    static void runs(int cells, const bool drawn[], std::vector<int>& first,
                     std::vector<int>& count);
};
