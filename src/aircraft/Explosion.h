// The particle explosion shown after a crash: 100 additively blended squares that face the
// camera, burst from a point near the aircraft, fly apart and are relaunched once faded.
#pragma once

// One particle.
struct particles {
    bool active;  // drawn and moved; set by both initialisers, never cleared
    float life;   // 1 when launched; also the alpha of its colour
    float fade;   // life lost per frame
    float r, g, b;
    float x, y, z;     // position in the explosion frame
    float xi, yi, zi;  // velocity, divided by 60000 per frame
    float xg, yg, zg;  // part of the record, never used (there is no gravity)
};

extern particles particle[100];
// Particle colours; rows 0 to 10 are used, row 11 never.
extern float colors[12][3];
extern float slowdown;  // a particle moves by its velocity / (slowdown * 30) per frame
extern float zoom;      // distance of the burst centre from the aircraft

// Start-up initialisation of the particles.
void LoadExplosion();
// Puts every particle back at the burst point with life and fade 1; velocities stay.
void ResetExplosion();
// Draws the particles, with the camera's view matrix current.
void Explosion();
// Advances every active particle by one step.
void advance_explosion();
// Moves a particle by one frame, fades it, and relaunches it from the centre once its life is
// below 0 (four draws from the program's random source: fade, xi, yi, zi).
void move_particle(particles& p);
// Multiplies the modelview matrix by the rotation that cancels its turn about the vertical axis.
void calcMatrix();
// Fills the column-major m with the rotation by theta degrees about (x, y, z), the matrix that
// glRotatef multiplies by. A zero axis is not scaled.
void buildRot(float theta, float x, float y, float z, float* m);
