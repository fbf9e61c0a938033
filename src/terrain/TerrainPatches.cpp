#include "terrain/TerrainPatches.h"

#include <algorithm>
#include <cmath>

namespace {

const int floats_per_cell = 6 * 3;

// How far beyond a face of the view volume a box must lie to be hidden, as a share of the sum of
// its corners' clip coordinates' sizes: about 2 % of the view's width beyond its edge, a dozen
// pixels of a full screen, where rounding in the driver is a millionth.
const double margin = 0.01;

}  // namespace

void TerrainPatches::build(const std::vector<float>& vertices)
{
    const int side = int(std::lround(std::sqrt(double(vertices.size() / floats_per_cell))));
    boxes.clear();
    cells = 0;
    if (side == 0 || side % per_side != 0 ||
        size_t(side) * side * floats_per_cell != vertices.size())
        return;
    cells = side;
    const int block = cells / per_side;
    boxes.resize(size_t(per_side) * per_side * 6);
    for (int patch = 0; patch < per_side * per_side; ++patch) {
        float* box = &boxes[size_t(patch) * 6];
        std::fill(box, box + 3, HUGE_VALF);
        std::fill(box + 3, box + 6, -HUGE_VALF);
        const int row0 = patch / per_side * block, column0 = patch % per_side * block;
        for (int row = row0; row < row0 + block; ++row) {
            const float* cell = &vertices[(size_t(row) * cells + column0) * floats_per_cell];
            for (const float* v = cell; v < cell + block * floats_per_cell; v += 3)
                for (int k = 0; k < 3; ++k) {
                    box[k] = std::min(box[k], v[k]);
                    box[3 + k] = std::max(box[3 + k], v[k]);
                }
        }
    }
}

// A point p lies inside the view volume where -w <= x, y, z <= w in clip coordinates. A box is
// hidden when all eight corners lie beyond one face, by more than the margin times
// |x| + |y| + |z| + |w|: every point of the box is a weighted mean of its corners, so it lies
// beyond that face by at least as much, and the driver's rounding cannot bring it back in.
bool TerrainPatches::may_show(int patch, const double clip[16]) const
{
    const float* box = &boxes[size_t(patch) * 6];
    bool beyond[6] = {true, true, true, true, true, true};
    for (int corner = 0; corner < 8; ++corner) {
        const double p[3] = {box[corner & 1 ? 3 : 0], box[corner & 2 ? 4 : 1],
                             box[corner & 4 ? 5 : 2]};
        double c[4];
        for (int r = 0; r < 4; ++r)
            c[r] = clip[r] * p[0] + clip[4 + r] * p[1] + clip[8 + r] * p[2] + clip[12 + r];
        const double room = -margin * (std::fabs(c[0]) + std::fabs(c[1]) + std::fabs(c[2]) +
                                       std::fabs(c[3]));
        for (int axis = 0; axis < 3; ++axis) {
            beyond[2 * axis] = beyond[2 * axis] && c[3] - c[axis] < room;
            beyond[2 * axis + 1] = beyond[2 * axis + 1] && c[3] + c[axis] < room;
        }
    }
    return std::none_of(beyond, beyond + 6, [](bool b) { return b; });
}

void TerrainPatches::visible_runs(const double clip[16], std::vector<int>& first,
                                  std::vector<int>& count) const
{
    first.clear();
    count.clear();
    if (cells == 0) return;
    bool shown[per_side * per_side];
    for (int patch = 0; patch < per_side * per_side; ++patch) shown[patch] = may_show(patch, clip);
    runs(cells, shown, first, count);
}

void TerrainPatches::runs(int cells, const bool drawn[], std::vector<int>& first,
                          std::vector<int>& count)
{
    first.clear();
    count.clear();
    const int block = cells / per_side;
    for (int row = 0; row < cells; ++row)
        for (int column = 0; column < per_side; ++column) {
            if (!drawn[row / block * per_side + column]) continue;
            const int index = (row * cells + column * block) * 6;
            if (!first.empty() && first.back() + count.back() == index)
                count.back() += block * 6;
            else
                first.push_back(index), count.push_back(block * 6);
        }
}
