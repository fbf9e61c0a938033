#include "terrain/TerrainDetail.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "terrain/Triangle.h"

void DetailMesh::clear()
{
    vertices.clear();
    colours.clear();
    normals.clear();
    texCoords.clear();
}

namespace {

// Cells of the chosen level's grid along a patch's side, and points along the grid's side.
int cells_per_patch(int level) { return 1 << level; }
int points_per_side(int level) { return TerrainPatches::per_side * cells_per_patch(level) + 1; }

void add(DetailMesh& mesh, const Vertex& v, const Triangle& face)
{
    mesh.vertices.insert(mesh.vertices.end(), {v.x, v.y, v.z});
    mesh.colours.insert(mesh.colours.end(), {v.r, v.g, v.b});
    mesh.normals.insert(mesh.normals.end(), {face.getNx(), face.getNy(), face.getNz()});
    mesh.texCoords.insert(mesh.texCoords.end(), {v.texCoordx, v.texCoordy});
}

// The same point at another height, coloured for it.
Vertex at_height(Vertex v, float y)
{
    v.y = y;
    colour_by_height(v);
    return v;
}

Vertex between(const Vertex& a, const Vertex& b, float share)
{
    Vertex v = a;
    v.x = a.x + (b.x - a.x) * share;
    v.z = a.z + (b.z - a.z) * share;
    v.setTexCoordx(a.texCoordx + (b.texCoordx - a.texCoordx) * share);
    v.setTexCoordy(a.texCoordy + (b.texCoordy - a.texCoordy) * share);
    return at_height(v, a.y + (b.y - a.y) * share);
}

// The height of the coarser level's surface (its points every `step` points of the chosen
// level's grid) at the chosen level's point [i][j]. Each cell is cut along its diagonal from
// [i][j] to [i+1][j+1] at every level, so the chosen level's triangles lie inside the coarser
// level's, and the two surfaces differ most at the chosen level's points.
double coarse_height(const Vertex* points, int level, int step, int i, int j)
{
    const int n = points_per_side(level), last = n - 1;
    const int i0 = std::min(i / step * step, last - step);
    const int j0 = std::min(j / step * step, last - step);
    const double fi = double(i - i0) / step, fj = double(j - j0) / step;
    auto height = [&](int pi, int pj) { return double(points[pi * n + pj].y); };
    const double a = height(i0, j0), b = height(i0 + step, j0);
    const double c = height(i0 + step, j0 + step), d = height(i0, j0 + step);
    return fi >= fj ? a + fi * (b - a) + fj * (c - b) : a + fj * (d - a) + fi * (c - d);
}

// The curtain along one stretch of an edge between levels, from the finer edge's points f0 and
// f1 to the coarser edge's heights c0 and c1 beneath or above them, lit as `face`. It reaches
// the curtain overlap past the coarse edge, under the coarse patch or over it by a hair, for the
// rasteriser rounds the two edges apart; where they coincide it is a band that wide on either
// side.
void hang_segment(DetailMesh& curtains, const Vertex& f0, const Vertex& f1, float c0, float c1,
                  const Triangle& face)
{
    const float overlap = float(TerrainDetail::curtain_overlap);
    const float d0 = f0.y - c0, d1 = f1.y - c1;
    if (d0 == 0 && d1 == 0) {
        const Vertex l0 = at_height(f0, c0 - overlap), l1 = at_height(f1, c1 - overlap);
        const Vertex h0 = at_height(f0, c0 + overlap), h1 = at_height(f1, c1 + overlap);
        for (const Vertex* v : {&l0, &l1, &h1, &l0, &h1, &h0}) add(curtains, *v, face);
    } else if ((d0 < 0 && d1 > 0) || (d0 > 0 && d1 < 0)) {
        // The edges cross: a triangle on either side of the crossing.
        const Vertex x = between(f0, f1, d0 / (d0 - d1));
        const Vertex e0 = at_height(f0, c0 - std::copysign(overlap, d0));
        const Vertex e1 = at_height(f1, c1 - std::copysign(overlap, d1));
        for (const Vertex* v : {&f0, &e0, &x, &f1, &e1, &x}) add(curtains, *v, face);
    } else {
        const float away = std::copysign(overlap, d0 + d1);
        const Vertex e0 = at_height(f0, c0 - away), e1 = at_height(f1, c1 - away);
        for (const Vertex* v : {&f0, &f1, &e1, &f0, &e1, &e0}) add(curtains, *v, face);
    }
}

double distance_to_box(const double eye[3], const float* box)
{
    double sum = 0;
    for (int k = 0; k < 3; ++k) {
        const double out = std::max({box[k] - eye[k], 0.0, eye[k] - box[3 + k]});
        sum += out * out;
    }
    return std::sqrt(sum);
}

}  // namespace

Vertex TerrainDetail::fine_point(int i, int j) const
{
    const int n = points_per_side(finest), cells = n - 1;
    Vertex v = points[i * n + j];
    const int cell_i = std::min(i, cells - 1), cell_j = std::min(j, cells - 1);
    // The cell's corners in its emitting order A, B, C, -, -, D: A [i][j], B [i+1][j],
    // C [i+1][j+1], D [i][j+1]. Every cell that shares a point gives it the same coordinates.
    static const int corner[2][2] = {{0, 5}, {1, 2}};
    const size_t at = (size_t(cell_i) * cells + cell_j) * 6 + corner[i - cell_i][j - cell_j];
    v.setTexCoordx((*texCoords)[at * 2]);
    v.setTexCoordy((*texCoords)[at * 2 + 1]);
    colour_by_height(v);
    return v;
}

void TerrainDetail::build(const Vertex* grid, const std::vector<float>& coordinates, int level)
{
    errors.assign(size_t(patch_count) * 3, 0);
    for (DetailMesh& mesh : coarser) mesh.clear();
    const size_t fine_cells = size_t(points_per_side(level) - 1);
    finest = coordinates.size() == fine_cells * fine_cells * 12 ? level : 0;
    points = grid;
    texCoords = &coordinates;
    const int patch_cells = cells_per_patch(level);
    for (int k = 0; k < finest; ++k) {
        const int step = 1 << (finest - k), cells = points_per_side(k) - 1;
        DetailMesh& mesh = coarser[k];
        for (int i = 0; i < cells; ++i)
            for (int j = 0; j < cells; ++j) {
                const Vertex a = fine_point(i * step, j * step);
                const Vertex b = fine_point((i + 1) * step, j * step);
                const Vertex c = fine_point((i + 1) * step, (j + 1) * step);
                const Vertex d = fine_point(i * step, (j + 1) * step);
                Triangle first, second;
                first.setVertexData(a, b, c);
                second.setVertexData(a, c, d);
                for (const Vertex* v : {&a, &b, &c}) add(mesh, *v, first);
                for (const Vertex* v : {&a, &c, &d}) add(mesh, *v, second);
            }
        for (int patch = 0; patch < patch_count; ++patch) {
            const int row0 = patch / TerrainPatches::per_side * patch_cells;
            const int column0 = patch % TerrainPatches::per_side * patch_cells;
            float& error = errors[size_t(patch) * 3 + size_t(k)];
            for (int i = row0; i <= row0 + patch_cells; ++i)
                for (int j = column0; j <= column0 + patch_cells; ++j) {
                    const double fine = points[i * points_per_side(finest) + j].y;
                    const double off = fine - coarse_height(points, finest, step, i, j);
                    error = std::max(error, float(std::fabs(off)));
                }
        }
    }
}

void TerrainDetail::choose(const double eye[3], double pixels, const TerrainPatches& patches)
{
    coarse_from = std::numeric_limits<double>::infinity();
    for (int patch = 0; patch < patch_count; ++patch) {
        int& chosen = levels[patch];
        chosen = finest;
        if (patches.boxes.empty()) continue;
        const double distance = distance_to_box(eye, &patches.boxes[size_t(patch) * 6]);
        if (distance < always_fine) continue;
        for (int k = 0; k < finest; ++k)
            if (errors[size_t(patch) * 3 + size_t(k)] * pixels <= most_pixels * distance) {
                chosen = k;
                coarse_from = std::min(coarse_from, distance);
                break;
            }
    }
}

void TerrainDetail::hang_curtains(const bool shown[])
{
    curtains.clear();
    const int side = TerrainPatches::per_side, patch_cells = cells_per_patch(finest);
    const int n = points_per_side(finest);
    for (int patch = 0; patch < patch_count; ++patch)
        for (const bool along_i : {true, false}) {
            // The neighbour across the patch's edge of higher j (along i) or of higher i.
            const int row = patch / side, column = patch % side;
            if (along_i ? column + 1 == side : row + 1 == side) continue;
            const int other = along_i ? patch + 1 : patch + side;
            if (levels[patch] == levels[other] || !(shown[patch] || shown[other])) continue;
            const bool coarse_first = levels[patch] < levels[other];
            const int fine_step = 1 << (finest - std::max(levels[patch], levels[other]));
            const int coarse_step = 1 << (finest - std::min(levels[patch], levels[other]));
            // The edge's points [i0 + t][j0] (along i) or [i0][j0 + t], t from 0 to patch_cells.
            const int i0 = along_i ? row * patch_cells : (row + 1) * patch_cells;
            const int j0 = along_i ? (column + 1) * patch_cells : column * patch_cells;
            auto point = [&](int t) {
                return along_i ? fine_point(i0 + t, j0) : fine_point(i0, j0 + t);
            };
            for (int t0 = 0; t0 < patch_cells; t0 += coarse_step) {
                // The coarse patch's face along this stretch of the edge lights the curtain:
                // the cell beside the edge, its first triangle (A, B, C) holding the edges of
                // higher i and of lower j, its second (A, C, D) the others.
                const int ci = (along_i ? i0 + t0 : i0 - (coarse_first ? coarse_step : 0));
                const int cj = (along_i ? j0 - (coarse_first ? coarse_step : 0) : j0 + t0);
                const Vertex& a = points[ci * n + cj];
                const Vertex& b = points[(ci + coarse_step) * n + cj];
                const Vertex& c = points[(ci + coarse_step) * n + cj + coarse_step];
                const Vertex& d = points[ci * n + cj + coarse_step];
                Triangle face;
                if (coarse_first == along_i)
                    face.setVertexData(a, c, d);
                else
                    face.setVertexData(a, b, c);
                const Vertex start = point(t0), end = point(t0 + coarse_step);
                auto chord = [&](int t) {
                    return start.y + (end.y - start.y) * float(t - t0) / float(coarse_step);
                };
                for (int t = t0; t < t0 + coarse_step; t += fine_step)
                    hang_segment(curtains, point(t), point(t + fine_step), chord(t),
                                 chord(t + fine_step), face);
            }
        }
}
