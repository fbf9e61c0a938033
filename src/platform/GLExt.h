// OpenGL entry points looked up by name at start-up, and the core functions that stand in for
// them where the driver does not expose them.
#pragma once

#include "platform/GL.h"

// The GL headers already declare functions with these names, so the looked-up addresses live in
// their own namespace: call them as ext::glActiveTextureARB(...). None is ever null: before
// init_Ext, and wherever the driver lacks an entry point, the core function or a stand-in serves.
namespace ext {
extern PFNGLACTIVETEXTUREARBPROC glActiveTextureARB;
extern PFNGLMULTITEXCOORD2FARBPROC glMultiTexCoord2fARB;
extern PFNGLCLIENTACTIVETEXTUREARBPROC glClientActiveTextureARB;
extern PFNGLLOCKARRAYSEXTPROC glLockArraysEXT;
extern PFNGLUNLOCKARRAYSEXTPROC glUnlockArraysEXT;
extern PFNGLTEXCOORDPOINTEREXTPROC glTexCoordPointerEXT;
extern PFNGLNORMALPOINTEREXTPROC glNormalPointerEXT;
}  // namespace ext

// The address of `name`, or null when the current context does not advertise `extension` or
// the window system does not know the name. A pointer, so tests can make lookups fail.
extern void* (*gl_extension_proc)(const char* extension, const char* name);
void* window_system_extension_proc(const char* extension, const char* name);

// Whether the current context's extension string lists `extension` as a whole word.
bool gl_has_extension(const char* extension);
// Whether the space-separated `list` holds `extension` as a whole word.
bool lists_extension(const char* list, const char* extension);

// Asks that the current window's buffer swaps wait for `interval` refreshes of the display
// (0: never wait), through GLX_EXT_swap_control or GLX_MESA_swap_control. False where neither is
// offered.
bool set_swap_interval(int interval);

// Stand-ins for the counted vertex-array and array-locking entry points: the counts are only a
// hint, so the plain core calls do the same work, and locking is an optimisation one may skip.
void APIENTRY tex_coord_pointer_uncounted(GLint size, GLenum type, GLsizei stride, GLsizei count,
                                          const void* pointer);
void APIENTRY normal_pointer_uncounted(GLenum type, GLsizei stride, GLsizei count,
                                       const void* pointer);
void APIENTRY lock_arrays_skipped(GLint first, GLsizei count);
void APIENTRY unlock_arrays_skipped();
