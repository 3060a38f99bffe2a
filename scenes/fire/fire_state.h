// The fire module's state: the burst's particle arrays and the animation
// values the update advances and the draw reads. One set for the program.
#pragma once

// Particles in the burst; the second half moves in a flat disc.
constexpr int fireParticleCount = 14000;
constexpr int fireHalfCount = fireParticleCount / 2;
// Floats per particle position or direction: x, y, z.
constexpr int fireParticleFloats = 3;

// Where the fireballs circle, and how far Reset puts them back.
constexpr float fireStartDistance = 165.0f;

// Particle positions (also the GL vertex array) and unit directions, 14000 x 3
// floats each, allocated before main (positions first) and never released.
extern float* const fireParticlePositions;
extern float* const fireParticleDirections;

extern float fireDistance;  // each copy's distance from the centre
extern float burstAlpha;    // alpha of the burst's colour; not clamped
extern int burstFramesLeft; // the burst moves and is drawn while above 0
extern int exploding;       // the copies are flying in
extern int merged;          // the copies have met at the centre
extern float tumbleAngle;   // degrees: each copy's own turn about x
extern float orbitAngle;    // degrees: orbit of copies 3 to 8, turn about y
extern float orbitAngleZ;   // degrees: orbit of copies 1 and 2 about z

// Corner colours of the fireball before the merge and after it.
extern const float fireBlack[3];
extern const float fireWhite[3];
extern const float fireRed[3];
extern const float fireYellow[3];
