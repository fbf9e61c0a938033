#include "platform/GLExt.h"

#include <GL/glx.h>

#include <cstring>

bool gl_has_extension(const char* extension)
{
    return lists_extension(reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS)), extension);
}

bool lists_extension(const char* list, const char* extension)
{
    if (!list || !extension || !*extension) return false;
    const size_t length = strlen(extension);
    for (const char* at = strstr(list, extension); at; at = strstr(at + 1, extension)) {
        const bool starts_word = at == list || at[-1] == ' ';
        const bool ends_word = at[length] == ' ' || at[length] == '\0';
        if (starts_word && ends_word) return true;
    }
    return false;
}

// Mesa hands out an address for any name that starts with "gl", supported or not, so the
// extension string decides whether the address may be used.
void* window_system_extension_proc(const char* extension, const char* name)
{
    if (!gl_has_extension(extension)) return nullptr;
    return reinterpret_cast<void*>(glutGetProcAddress(name));
}

void* (*gl_extension_proc)(const char*, const char*) = window_system_extension_proc;

bool set_swap_interval(int interval)
{
    Display* display = glXGetCurrentDisplay();
    const GLXDrawable drawable = glXGetCurrentDrawable();
    if (!display || !drawable) return false;
    const char* list = glXQueryExtensionsString(display, DefaultScreen(display));
    if (lists_extension(list, "GLX_EXT_swap_control")) {
        auto swap_interval = reinterpret_cast<PFNGLXSWAPINTERVALEXTPROC>(
            glutGetProcAddress("glXSwapIntervalEXT"));
        if (swap_interval) {
            swap_interval(display, drawable, interval);
            return true;
        }
    }
    if (lists_extension(list, "GLX_MESA_swap_control")) {
        auto swap_interval = reinterpret_cast<PFNGLXSWAPINTERVALMESAPROC>(
            glutGetProcAddress("glXSwapIntervalMESA"));
        if (swap_interval) return swap_interval(unsigned(interval)) == 0;
    }
    return false;
}

void APIENTRY tex_coord_pointer_uncounted(GLint size, GLenum type, GLsizei stride, GLsizei,
                                          const void* pointer)
{
    glTexCoordPointer(size, type, stride, pointer);
}

void APIENTRY normal_pointer_uncounted(GLenum type, GLsizei stride, GLsizei, const void* pointer)
{
    glNormalPointer(type, stride, pointer);
}

void APIENTRY lock_arrays_skipped(GLint, GLsizei) {}

void APIENTRY unlock_arrays_skipped() {}

// Until init_Ext looks them up, the core functions and the stand-ins serve.
namespace ext {
PFNGLACTIVETEXTUREARBPROC glActiveTextureARB = glActiveTexture;
PFNGLMULTITEXCOORD2FARBPROC glMultiTexCoord2fARB = glMultiTexCoord2f;
PFNGLCLIENTACTIVETEXTUREARBPROC glClientActiveTextureARB = glClientActiveTexture;
PFNGLLOCKARRAYSEXTPROC glLockArraysEXT = lock_arrays_skipped;
PFNGLUNLOCKARRAYSEXTPROC glUnlockArraysEXT = unlock_arrays_skipped;
PFNGLTEXCOORDPOINTEREXTPROC glTexCoordPointerEXT = tex_coord_pointer_uncounted;
PFNGLNORMALPOINTEREXTPROC glNormalPointerEXT = normal_pointer_uncounted;
}  // namespace ext
