#include "scenes/fire/fire_state.h"

// The braces allocate the positions first.
FireState fireState{new float[fireParticleCount * fireParticleFloats],
                    new float[fireParticleCount * fireParticleFloats]};

const float fireBlack[3] = {0.0f, 0.0f, 0.0f};
const float fireWhite[3] = {1.0f, 1.0f, 1.0f};
const float fireRed[3] = {1.0f, 0.0f, 0.0f};
const float fireYellow[3] = {1.0f, 1.0f, 0.0f};
