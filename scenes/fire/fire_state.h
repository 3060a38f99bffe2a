// The fire module's state: one record holding the burst's particle arrays and
// the animation values the update advances and the draw reads. One record for
// the program.
#pragma once

// Particles in the burst; the second half moves in a flat disc.
constexpr int fireParticleCount = 14000;
constexpr int fireHalfCount = fireParticleCount / 2;
// Floats per particle position or direction: x, y, z.
constexpr int fireParticleFloats = 3;

// Where the fireballs circle, and how far Reset puts them back.
constexpr float fireStartDistance = 165.0f;

// Angles are degrees; flags are ints holding 0 or 1. The values after the
// particle arrays start as written here.
struct FireState {
  // Particle positions (also the GL vertex array) and unit directions,
  // fireParticleCount x 3 floats each, allocated before main (positions
  // first) and never released nor pointed elsewhere.
  float* fireParticlePositions;
  float* fireParticleDirections;
  float fireDistance = fireStartDistance;  // each copy's distance from the centre
  float burstAlpha = 1.0f;   // alpha of the burst's colour; not clamped
  int burstFramesLeft = 0;   // the burst moves and is drawn while above 0
  int exploding = 0;        // the copies are flying in
  int merged = 0;            // the copies have met at the centre
  float tumbleAngle = 0.0f;  // each copy's own turn about x
  float orbitAngle = 0.0f;   // orbit of copies 2 to 7 (counted from 0 in the
                             // draw's table), every copy's turn about y
  float orbitAngleZ = 0.0f;  // orbit of copies 0 and 1 about z
};

extern FireState fireState;

// Corner colours of the fireball before the merge and after it.
extern const float fireBlack[3];
extern const float fireWhite[3];
extern const float fireRed[3];
extern const float fireYellow[3];
