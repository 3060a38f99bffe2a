#include "scenes/fire/fire_burst.h"

#include <cmath>

#include "scenes/fire/fire_state.h"
#include "platform/random_value.h"

namespace {

// Distance a particle moves per frame along its direction.
constexpr double particleStep = 0.2;

// Maps one random value onto [-1, 1], in double precision, stored as a float.
float randomComponent() {
  return static_cast<float>(2.0 * randomValue() / static_cast<double>(randomTop) - 1.0);
}

// One coordinate moved by a direction component, in double, stored as float.
float stepped(float coordinate, float directionComponent) {
  return static_cast<float>(coordinate + directionComponent * particleStep);
}

}  // namespace

void randomUnitVector(float* direction) {
  const float x = randomComponent();
  const float y = randomComponent();
  const float z = randomComponent();
  const float length = std::sqrt(x * x + y * y + z * z);
  direction[0] = x;
  direction[1] = y;
  direction[2] = z;
  if (length == 0.0f) return;  // all three are zero: nothing to scale
  for (int k = 0; k < fireParticleFloats; ++k) direction[k] /= length;
}

void startBurst() {
  FireState& s = fireState;
  for (int i = 0; i < fireParticleCount; ++i) {
    float* position = s.fireParticlePositions + i * fireParticleFloats;
    position[0] = 0.0f;
    position[1] = 0.0f;
    position[2] = 0.0f;
    randomUnitVector(s.fireParticleDirections + i * fireParticleFloats);
  }
  s.burstFramesLeft = burstLifetime;
}

void moveBurst() {
  const FireState& s = fireState;
  for (int i = 0; i < fireHalfCount; ++i) {
    const float* d = s.fireParticleDirections + i * fireParticleFloats;
    float* shell = s.fireParticlePositions + i * fireParticleFloats;
    shell[0] = stepped(shell[0], d[0]);
    shell[1] = stepped(shell[1], d[1]);
    shell[2] = stepped(shell[2], d[2]);
    const int j = i + fireHalfCount;
    const float* e = s.fireParticleDirections + j * fireParticleFloats;
    float* disc = s.fireParticlePositions + j * fireParticleFloats;
    disc[0] = stepped(disc[0], e[2]);
    disc[1] = stepped(disc[1], e[0]);
    disc[2] = stepped(disc[2], e[0]);
  }
}
