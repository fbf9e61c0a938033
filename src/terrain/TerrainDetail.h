// Terrain detail by distance: near the eye the chosen level's mesh, farther out, patch by patch,
// the coarser levels' meshes wherever the height error they would show on the screen has
// shrunk to a pixel or two. Where patches of two levels meet, a curtain closes the gap between
// the coarse edge and the finer one, so the ground has no cracks. Everything here is worked
// out on the processor; TerrainGrid draws it.
#pragma once

#include <cstddef>
#include <vector>

#include "terrain/TerrainPatches.h"
#include "terrain/Vertex.h"

// A mesh's drawable arrays, one vertex per index; both texture units read the same coordinates.
struct DetailMesh {
    std::vector<float> vertices, colours, normals, texCoords;
    std::size_t count() const { return vertices.size() / 3; }
    void clear();
};

class TerrainDetail {
public:
    static const int patch_count = TerrainPatches::per_side * TerrainPatches::per_side;
    // The height error, in pixels, at which a patch takes the next coarser mesh: the picture
    // moves by no more than this when it does.
    static constexpr double most_pixels = 2;
    // Patches this near the eye always keep the chosen level.
    static constexpr double always_fine = 1500;
    // How far a curtain reaches past the coarse edge, under the coarse patch or over it by a
    // hair, for the rasteriser rounds the two edges apart: at most a fifth of a pixel from the
    // nearest coarse patch, a hundredth from the farthest.
    static constexpr double curtain_overlap = 0.5;

    int finest = 0;  // the chosen level, whose mesh TerrainGrid holds
    // The coarser levels' meshes, laid out as the levels' own (cells row by row, six vertices
    // each) on the chosen level's points, colours and texture coordinates, so that their edges
    // meet the chosen level's exactly where they share points.
    DetailMesh coarser[3];
    // Per patch and coarser level (patch * 3 + level): the largest height difference between
    // that level's surface and the chosen level's.
    std::vector<float> errors;

    // Per patch, the level chosen for the last view, and the distance from its eye to the
    // nearest patch given a coarser level (infinite when none is).
    int levels[patch_count] = {};
    double coarse_from = 0;
    DetailMesh curtains;  // closing the gaps of the last view, one triangle after another

    // Builds the coarser meshes and their errors for `level` (0 to 3) from its grid, `points`
    // row by row, whose points every coarser grid shares, and its mesh's texture coordinates.
    // Without those (a mesh of another size), there is nothing coarser.
    void build(const Vertex* points, const std::vector<float>& texCoords, int level);
    // Chooses every patch's level for an eye at `eye` (terrain coordinates) that sees `pixels`
    // pixels per unit of height at unit distance (the viewport's height over twice the tangent
    // of half the field of view).
    void choose(const double eye[3], double pixels, const TerrainPatches& patches);
    // The curtains along every edge between patches of different levels where either patch is
    // in `shown`.
    void hang_curtains(const bool shown[]);

private:
    const Vertex* points = nullptr;  // the chosen level's grid
    const std::vector<float>* texCoords = nullptr;
    // The chosen level's point [i][j] as its mesh draws it.
    Vertex fine_point(int i, int j) const;
};
