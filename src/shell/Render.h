// The fixed OpenGL state of the scene, the option flags turned into GL state every frame, and
// the light.
#pragma once

#include "core/Settings.h"

// Depth test, colour material, blending, clear colour, and the chase camera's start view and
// projection values.
void init_View();
void init_Fog();
void init_Light();
// Sets the culled side; the terrain and the sky enable culling around their own drawing.
void init_Culling();
// Looks up the extension entry points and enables the client arrays. 1 when the three
// multitexture entry points were found; core functions stand in for any that were not.
int init_Ext();
// The options step: lighting, wire-frame mode, fog and culling from the flags, then the tower
// camera's place.
void ui_idle();
