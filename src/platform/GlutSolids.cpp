#include "platform/GlutSolids.h"

#include <initializer_list>

#include "platform/GL.h"

namespace {

template <typename Draw>
void with_own_arrays(Draw draw)
{
    glPushClientAttrib(GL_CLIENT_VERTEX_ARRAY_BIT);
    glDisableClientState(GL_COLOR_ARRAY);
    for (GLenum unit : {GL_TEXTURE0, GL_TEXTURE1}) {
        glClientActiveTexture(unit);
        glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    }
    draw();
    glPopClientAttrib();
}

}  // namespace

void solid_cube(double size)
{
    with_own_arrays([=] { glutSolidCube(size); });
}

void solid_cone(double base, double height, int slices, int stacks)
{
    with_own_arrays([=] { glutSolidCone(base, height, slices, stacks); });
}

void wire_cone(double base, double height, int slices, int stacks)
{
    with_own_arrays([=] { glutWireCone(base, height, slices, stacks); });
}
