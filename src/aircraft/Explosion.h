// The particle explosion shown after a crash.
#pragma once

// Start-up initialisation of the particles.
void LoadExplosion();
// Puts every particle back at the burst point.
void ResetExplosion();
// Draws and advances the particles by one frame.
void Explosion();
