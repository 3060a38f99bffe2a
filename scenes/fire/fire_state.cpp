#include "scenes/fire/fire_state.h"

// Defined in this order so the positions are allocated first.
float* const fireParticlePositions = new float[fireParticleCount * fireParticleFloats];
float* const fireParticleDirections = new float[fireParticleCount * fireParticleFloats];

float fireDistance = fireStartDistance;
float burstAlpha = 1.0f;
int burstFramesLeft = 0;
int exploding = 0;
int merged = 0;
float tumbleAngle = 0.0f;
float orbitAngle = 0.0f;
float orbitAngleZ = 0.0f;

const float fireBlack[3] = {0.0f, 0.0f, 0.0f};
const float fireWhite[3] = {1.0f, 1.0f, 1.0f};
const float fireRed[3] = {1.0f, 0.0f, 0.0f};
const float fireYellow[3] = {1.0f, 1.0f, 0.0f};
