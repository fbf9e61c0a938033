#include "terrain/TerrainGrid.h"

#include <initializer_list>
#include <iostream>
#include <utility>

#include "core/Global.h"
#include "core/Settings.h"
#include "core/Timer.h"
#include "platform/GLExt.h"
#include "resources/Textures.h"
#include "terrain/Triangle.h"

TerrainGrid terrain;

namespace {

// The six arrays of one level, which are always filled and copied together.
struct LevelArrays {
    std::vector<float>& vertices;
    std::vector<float>& texCoord0;
    std::vector<float>& texCoord1;
    std::vector<float>& colours;
    std::vector<float>& normals;
    std::vector<unsigned int>& indices;
};

LevelArrays level_arrays(TerrainGrid& g, int t)
{
    switch (t) {
    case 0:
        return {g.l0_vertices, g.l0_texCoord0, g.l0_texCoord1, g.l0_colours, g.l0_normals,
                g.l0_indices};
    case 1:
        return {g.l1_vertices, g.l1_texCoord0, g.l1_texCoord1, g.l1_colours, g.l1_normals,
                g.l1_indices};
    case 2:
        return {g.l2_vertices, g.l2_texCoord0, g.l2_texCoord1, g.l2_colours, g.l2_normals,
                g.l2_indices};
    default:
        return {g.l3_vertices, g.l3_texCoord0, g.l3_texCoord1, g.l3_colours, g.l3_normals,
                g.l3_indices};
    }
}

// Makes a copy of level t the current arrays.
void make_current(TerrainGrid& g, int t)
{
    const LevelArrays level = level_arrays(g, t);
    g.vertices = level.vertices;
    g.texCoord0 = level.texCoord0;
    g.texCoord1 = level.texCoord1;
    g.colours = level.colours;
    g.normals = level.normals;
    g.indices = level.indices;
    g.patches.build(g.vertices);
    g.mesh_in_buffers = false;
    const Vertex* points[] = {&g.Grid0[0][0], &g.Grid1[0][0], &g.Grid2[0][0], &g.Grid3[0][0]};
    g.detail.build(points[t], g.texCoord0, t);
    g.detail_in_buffers = false;
}

}  // namespace

// Keeps the generation's height range up to date with one new height.
static void track_height(TerrainGrid& grid, float y)
{
    if (y < grid.lowestY) grid.lowestY = y;
    if (y > grid.highestY) grid.highestY = y;
}

// A midpoint off the flat ground is raised by up to `amplitude`; one on height 0 stays flat and
// draws no random number.
static void displace(TerrainGrid& grid, Vertex& point, int amplitude)
{
    if (point.y != 0) point.y += float(float_rand() * amplitude);
    track_height(grid, point.y);
}

// Midpoint subdivision of a grid of n points per side into one of 2n - 1: the coarse points are
// copied, then the points between two rows, then the points between two columns.
template <int n>
static void refine(TerrainGrid& grid, const Vertex (&coarse)[n][n],
                   Vertex (&fine)[2 * n - 1][2 * n - 1], int amplitude)
{
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j) fine[2 * i][2 * j] = coarse[i][j];
    for (int r = 1; r <= 2 * n - 3; r += 2)
        for (int c = 0; c <= 2 * n - 2; c += 2) {
            fine[r][c] = getMidpoint(fine[r - 1][c], fine[r + 1][c]);
            displace(grid, fine[r][c], amplitude);
        }
    for (int r = 0; r <= 2 * n - 2; ++r)
        for (int c = 1; c <= 2 * n - 3; c += 2) {
            fine[r][c] = getMidpoint(fine[r][c - 1], fine[r][c + 1]);
            displace(grid, fine[r][c], amplitude);
        }
}

void TerrainGrid::setPoints()
{
    // The rim: every point of the coarsest grid, row by row, between 3000 and 5999.
    int presentZ = -231;
    for (int i = 0; i < 22; ++i, presentZ += 22) {
        int presentX = -231;
        for (int j = 0; j < 22; ++j, presentX += 22) {
            Vertex& point = Grid0[i][j];
            point.setX(presentX * 64);
            point.setY(int(randomRange(3000, 6000)));
            point.setZ(presentZ * 64);
            track_height(*this, point.y);
        }
    }
    // Hills inside the two outermost rings of points.
    for (int i = 2; i <= 19; ++i)
        for (int j = 2; j <= 19; ++j) Grid0[i][j].setY(int(randomRange(-1500, 1500)));
    // Flat ground for the airfield and the city.
    for (int i = 7; i <= 14; ++i)
        for (int j = 7; j <= 14; ++j) Grid0[i][j].setY(0);

    refine(*this, Grid0, Grid1, 200);
    refine(*this, Grid1, Grid2, 100);
    refine(*this, Grid2, Grid3, 50);

    makeTriangles();
    makeSTriangles();
    make_current(*this, 0);
}

// Builds one level: two triangles per cell, each with three vertices of its own carrying the
// face normal, so faces shade flat. One copy of the texture spans the whole grid; its
// coordinates are summed in float as the cells go by.
template <int n>
static void build_level(int& indexCounter, const Vertex (&grid)[n][n], const LevelArrays& level)
{
    const float s = 1.0f / n;
    const size_t count = size_t(n - 1) * (n - 1) * 6;
    level.vertices.reserve(count * 3);
    level.normals.reserve(count * 3);
    level.colours.reserve(count * 3);
    level.texCoord0.reserve(count * 2);
    level.texCoord1.reserve(count * 2);
    level.indices.reserve(count);

    auto emit = [&](const Vertex& v, const Triangle& face) {
        level.vertices.insert(level.vertices.end(), {v.x, v.y, v.z});
        level.normals.insert(level.normals.end(), {face.getNx(), face.getNy(), face.getNz()});
        level.colours.insert(level.colours.end(), {v.r, v.g, v.b});
        level.texCoord0.insert(level.texCoord0.end(), {v.texCoordx, v.texCoordy});
        level.texCoord1.insert(level.texCoord1.end(), {v.texCoordx, v.texCoordy});
        level.indices.push_back(unsigned(indexCounter));
        ++indexCounter;
    };

    indexCounter = 0;
    float tc1 = 0, tc2 = 0;
    for (int i = 0; i < n - 1; ++i) {
        for (int j = 0; j < n - 1; ++j) {
            Vertex a = grid[i][j], b = grid[i + 1][j], c = grid[i + 1][j + 1], d = grid[i][j + 1];
            a.setTexCoordx(tc1);
            a.setTexCoordy(tc2);
            b.setTexCoordx(tc1 + s);
            b.setTexCoordy(tc2);
            c.setTexCoordx(tc1 + s);
            c.setTexCoordy(tc2 + s);
            d.setTexCoordx(tc1);
            d.setTexCoordy(tc2 + s);
            for (Vertex* v : {&a, &b, &c, &d}) colour_by_height(*v);

            Triangle first, second;
            first.setVertexData(a, b, c);
            second.setVertexData(a, c, d);
            emit(a, first);
            emit(b, first);
            emit(c, first);
            emit(a, second);
            emit(c, second);
            emit(d, second);
            tc2 += s;
        }
        tc1 += s;
        tc2 = 0;
    }
}

void TerrainGrid::makeTriangles() { build_level(indexCounter, Grid0, level_arrays(*this, 0)); }

void TerrainGrid::makeSTriangles()
{
    build_level(indexCounter, Grid1, level_arrays(*this, 1));
    build_level(indexCounter, Grid2, level_arrays(*this, 2));
    build_level(indexCounter, Grid3, level_arrays(*this, 3));
}

void TerrainGrid::update_current(int t)
{
    if (t < 0 || t > 3) return;
    make_current(*this, t);
    std::cout << "  Terrain: " << indices.size() / 3 << " triangles\n\n" << std::flush;
    console_line_open = false;
}

// Makes `unit` the active texture unit for both texturing and client arrays.
static void select_unit(GLenum unit)
{
    ext::glActiveTextureARB(unit);
    ext::glClientActiveTextureARB(unit);
}

// Where each current array starts in the vertex buffer, in bytes: vertices, colours, normals,
// then the two units' texture coordinates.
struct MeshLayout {
    size_t vertices, colours, normals, texCoord0, texCoord1, size;
};

static MeshLayout mesh_layout(const TerrainGrid& g)
{
    MeshLayout at{};
    at.colours = at.vertices + g.vertices.size() * sizeof(float);
    at.normals = at.colours + g.colours.size() * sizeof(float);
    at.texCoord0 = at.normals + g.normals.size() * sizeof(float);
    at.texCoord1 = at.texCoord0 + g.texCoord0.size() * sizeof(float);
    at.size = at.texCoord1 + g.texCoord1.size() * sizeof(float);
    return at;
}

static const void* at_offset(size_t bytes) { return reinterpret_cast<const void*>(bytes); }

// Copies the current arrays into the buffer objects, made at the first call; leaves them bound.
using BufferPart = std::pair<size_t, const std::vector<float>*>;  // where an array goes, which

// Gives `buffer` room for `size` bytes and copies each array to its place; leaves it bound.
static void fill_array_buffer(unsigned buffer, size_t size,
                              std::initializer_list<BufferPart> parts, GLenum usage)
{
    glBindBuffer(GL_ARRAY_BUFFER, buffer);
    glBufferData(GL_ARRAY_BUFFER, GLsizeiptr(size), nullptr, usage);
    for (const auto& [offset, array] : parts)
        glBufferSubData(GL_ARRAY_BUFFER, GLintptr(offset),
                        GLsizeiptr(array->size() * sizeof(float)), array->data());
}

static void fill_mesh_buffers(TerrainGrid& g, const MeshLayout& at)
{
    if (!g.mesh_buffers[0]) glGenBuffers(2, g.mesh_buffers);
    fill_array_buffer(g.mesh_buffers[0], at.size,
                      {{at.vertices, &g.vertices}, {at.colours, &g.colours},
                       {at.normals, &g.normals}, {at.texCoord0, &g.texCoord0},
                       {at.texCoord1, &g.texCoord1}},
                      GL_STATIC_DRAW);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, g.mesh_buffers[1]);
    glBufferData(GL_ELEMENT_ARRAY_BUFFER, GLsizeiptr(g.indices.size() * sizeof(unsigned)),
                 g.indices.data(), GL_STATIC_DRAW);
    g.mesh_in_buffers = true;
}

// The projection times the model-view: object coordinates to clip coordinates.
static void view_to_clip(double clip[16])
{
    double projection[16], model_view[16];
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    glGetDoublev(GL_MODELVIEW_MATRIX, model_view);
    for (int c = 0; c < 4; ++c)
        for (int r = 0; r < 4; ++r) {
            double sum = 0;
            for (int k = 0; k < 4; ++k) sum += projection[k * 4 + r] * model_view[c * 4 + k];
            clip[c * 4 + r] = sum;
        }
}

// The eye in the terrain's coordinates, and the pixels that a unit of height at unit distance
// covers on the screen, from the model-view and projection matrices and the viewport.
static void eye_and_scale(double eye[3], double& pixels)
{
    double model_view[16], projection[16];
    GLint viewport[4];
    glGetDoublev(GL_MODELVIEW_MATRIX, model_view);
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    glGetIntegerv(GL_VIEWPORT, viewport);
    // The model-view turns and moves, without scaling: the eye is minus the move turned back.
    for (int k = 0; k < 3; ++k)
        eye[k] = -(model_view[k * 4] * model_view[12] + model_view[k * 4 + 1] * model_view[13] +
                   model_view[k * 4 + 2] * model_view[14]);
    pixels = projection[5] * viewport[3] / 2;
}

// A detail mesh's arrays in its buffer, in the current arrays' order, with one copy of the
// texture coordinates for both units.
static MeshLayout detail_layout(const DetailMesh& m)
{
    MeshLayout at{};
    at.colours = m.vertices.size() * sizeof(float);
    at.normals = at.colours + m.colours.size() * sizeof(float);
    at.texCoord0 = at.texCoord1 = at.normals + m.normals.size() * sizeof(float);
    at.size = at.texCoord0 + m.texCoords.size() * sizeof(float);
    return at;
}

// Copies a detail mesh into `buffer`, leaving it bound.
static void fill_detail_buffer(unsigned buffer, const DetailMesh& m, GLenum usage)
{
    const MeshLayout at = detail_layout(m);
    fill_array_buffer(buffer, at.size,
                      {{at.vertices, &m.vertices}, {at.colours, &m.colours},
                       {at.normals, &m.normals}, {at.texCoord0, &m.texCoords}},
                      usage);
}

// Points every array at a mesh of `count` vertices in the bound buffer, leaving the client's
// texture unit as it was.
static void point_arrays(const MeshLayout& at, GLsizei count)
{
    glVertexPointer(3, GL_FLOAT, 0, at_offset(at.vertices));
    glColorPointer(3, GL_FLOAT, 0, at_offset(at.colours));
    ext::glNormalPointerEXT(GL_FLOAT, 0, count, at_offset(at.normals));
    GLint unit = GL_TEXTURE0_ARB;
    glGetIntegerv(GL_CLIENT_ACTIVE_TEXTURE_ARB, &unit);
    ext::glClientActiveTextureARB(GL_TEXTURE0_ARB);
    ext::glTexCoordPointerEXT(2, GL_FLOAT, 0, count, at_offset(at.texCoord0));
    ext::glClientActiveTextureARB(GL_TEXTURE1_ARB);
    ext::glTexCoordPointerEXT(2, GL_FLOAT, 0, count, at_offset(at.texCoord1));
    ext::glClientActiveTextureARB(GLenum(unit));
}

// The patches in `shown` that the detail gave a coarser level, from that level's mesh, and the
// curtains between levels, which either side may see and so are never culled. Outlines need no
// curtains: the gaps they would close show nothing.
static void draw_detail(TerrainGrid& g, const bool shown[], GLenum mode)
{
    TerrainDetail& detail = g.detail;
    if (!g.detail_buffers[0]) glGenBuffers(4, g.detail_buffers);
    if (!g.detail_in_buffers) {
        for (int k = 0; k < detail.finest; ++k)
            fill_detail_buffer(g.detail_buffers[k], detail.coarser[k], GL_STATIC_DRAW);
        g.detail_in_buffers = true;
    }
    static std::vector<int> first, count;
    bool drawn[TerrainDetail::patch_count];
    for (int k = 0; k < detail.finest; ++k) {
        for (int patch = 0; patch < TerrainDetail::patch_count; ++patch)
            drawn[patch] = shown[patch] && detail.levels[patch] == k;
        TerrainPatches::runs(TerrainPatches::per_side << k, drawn, first, count);
        if (first.empty()) continue;
        const DetailMesh& mesh = detail.coarser[k];
        glBindBuffer(GL_ARRAY_BUFFER, g.detail_buffers[k]);
        point_arrays(detail_layout(mesh), GLsizei(mesh.count()));
        ext::glLockArraysEXT(0, GLsizei(mesh.count()));
        glMultiDrawArrays(mode, first.data(), count.data(), GLsizei(first.size()));
        ext::glUnlockArraysEXT();
        for (int n : count) g.drawn_indices += size_t(n);
    }
    if (mode != GL_TRIANGLES) return;
    detail.hang_curtains(shown);
    const DetailMesh& curtains = detail.curtains;
    if (curtains.count() == 0) return;
    fill_detail_buffer(g.detail_buffers[3], curtains, GL_STREAM_DRAW);
    point_arrays(detail_layout(curtains), GLsizei(curtains.count()));
    if (culling_enable) glDisable(GL_CULL_FACE);
    glDrawArrays(GL_TRIANGLES, 0, GLsizei(curtains.count()));
    if (culling_enable) glEnable(GL_CULL_FACE);
    g.drawn_indices += curtains.count();
}

void TerrainGrid::display_terrain()
{
    const GLsizei numtris = GLsizei(indices.size());
    drawn_indices = 0;
    if (numtris == 0) return;  // nothing generated yet; locking an empty range is an error

    const MeshLayout at = mesh_layout(*this);
    if (mesh_in_buffers) {
        glBindBuffer(GL_ARRAY_BUFFER, mesh_buffers[0]);
        glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, mesh_buffers[1]);
    } else {
        fill_mesh_buffers(*this, at);
    }
    glVertexPointer(3, GL_FLOAT, 0, at_offset(at.vertices));
    glColorPointer(3, GL_FLOAT, 0, at_offset(at.colours));
    ext::glNormalPointerEXT(GL_FLOAT, 0, numtris, at_offset(at.normals));
    // Both units' coordinate arrays stay enabled, and drawing reads every enabled array: a unit
    // whose texture is off still points at the current level's coordinates, never past them.
    if (!texture1_) {
        ext::glClientActiveTextureARB(GL_TEXTURE0_ARB);
        ext::glTexCoordPointerEXT(2, GL_FLOAT, 0, numtris, at_offset(at.texCoord0));
    }
    if (!texture2_) {
        ext::glClientActiveTextureARB(GL_TEXTURE1_ARB);
        ext::glTexCoordPointerEXT(2, GL_FLOAT, 0, numtris, at_offset(at.texCoord1));
    }

    if (culling_enable) glEnable(GL_CULL_FACE);
    if (texture1_) {  // base texture
        select_unit(GL_TEXTURE0_ARB);
        glBindTexture(GL_TEXTURE_2D, texture[TEXTURE_GRASS1]);
        ext::glTexCoordPointerEXT(2, GL_FLOAT, 0, numtris, at_offset(at.texCoord0));
        glEnable(GL_TEXTURE_2D);
    }
    if (texture2_) {  // light map over it
        select_unit(GL_TEXTURE1_ARB);
        glBindTexture(GL_TEXTURE_2D, texture[TEXTURE_GRASS2]);
        ext::glTexCoordPointerEXT(2, GL_FLOAT, 0, numtris, at_offset(at.texCoord1));
        glEnable(GL_TEXTURE_2D);
    }

    // The runs of the patches in view, or the whole mesh in one; kept from frame to frame so
    // that drawing allocates nothing.
    static std::vector<int> first, count;
    const GLenum mode = surface == GL_POLYGON ? GL_TRIANGLES : GL_LINES;
    const bool detailed = detail_by_distance && detail.finest > 0 && patches.cells;
    bool shown[TerrainDetail::patch_count];
    if (detailed) {
        double clip[16], eye[3], pixels = 0;
        view_to_clip(clip);
        for (int patch = 0; patch < TerrainDetail::patch_count; ++patch)
            shown[patch] = !cull_patches || patches.may_show(patch, clip);
        eye_and_scale(eye, pixels);
        detail.choose(eye, pixels, patches);
        bool drawn[TerrainDetail::patch_count];
        for (int patch = 0; patch < TerrainDetail::patch_count; ++patch)
            drawn[patch] = shown[patch] && detail.levels[patch] == detail.finest;
        TerrainPatches::runs(patches.cells, drawn, first, count);
    } else if (cull_patches && patches.cells) {
        double clip[16];
        view_to_clip(clip);
        patches.visible_runs(clip, first, count);
    } else {
        first.assign(1, 0), count.assign(1, numtris);
    }
    static std::vector<const void*> starts;
    starts.clear();
    for (int index : first) starts.push_back(at_offset(size_t(index) * sizeof(unsigned)));
    for (int n : count) drawn_indices += size_t(n);

    ext::glLockArraysEXT(0, numtris);
    glMultiDrawElements(mode, count.data(), GL_UNSIGNED_INT, starts.data(), GLsizei(count.size()));
    ext::glUnlockArraysEXT();
    if (detailed) {
        draw_detail(*this, shown, mode);
        // Every array back on the current level's mesh, where the rest of the frame expects it.
        glBindBuffer(GL_ARRAY_BUFFER, mesh_buffers[0]);
        point_arrays(at, numtris);
    }
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);

    if (texture1_) {
        select_unit(GL_TEXTURE0_ARB);
        glDisable(GL_TEXTURE_2D);
    }
    if (texture2_) {
        select_unit(GL_TEXTURE1_ARB);
        glDisable(GL_TEXTURE_2D);
    }
    if (culling_enable) glDisable(GL_CULL_FACE);
}
