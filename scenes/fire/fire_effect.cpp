#include "scenes/fire/fire_effect.h"

#include <GL/gl.h>

#include "assets/models.h"
#include "platform/turn_angle.h"
#include "scenes/fire/fire_burst.h"
#include "scenes/fire/fire_state.h"

FireEffect fireEffect;

namespace {

// How far the copies fly in per frame while exploding.
constexpr float convergeStep = 5.0f;
// The distance at which the burst fires.
constexpr float burstDistance = 40.0f;
// Below this many frames left the burst fades, by this much alpha a frame.
constexpr int fadeFrames = 90;
constexpr float fadeStep = 0.0115f;
// Degrees a frame the copies turn before and after the merge.
constexpr float spinStep = 2.5f;
constexpr float mergedSpinStep = 0.7f;

void setCornerColours(const float* a, const float* bc) {
  fireballModel.setCornerColorA(a);
  fireballModel.setCornerColorB(bc);
  fireballModel.setCornerColorC(bc);
}

}  // namespace

// The vertex array stays enabled and pointed at the positions for good.
void FireEffect::init() {
  glEnableClientState(GL_VERTEX_ARRAY);
  glVertexPointer(fireParticleFloats, GL_FLOAT, 0, fireParticlePositions);
}

// Converge (and merge or fire the burst), move and fade the burst, spin.
void FireEffect::update() {
  if (exploding) {
    if (fireDistance <= 0.0f) {
      setCornerColours(fireRed, fireYellow);
      exploding = 0;
      merged = 1;
    } else {
      fireDistance -= convergeStep;
    }
    if (fireDistance == burstDistance) {
      burstAlpha = 1.0f;
      startBurst();
    }
  }
  if (burstFramesLeft > 0) {
    moveBurst();
    burstFramesLeft -= 1;
  }
  if (burstFramesLeft >= 1 && burstFramesLeft < fadeFrames) burstAlpha -= fadeStep;
  const float step = merged ? mergedSpinStep : spinStep;
  tumbleAngle = advanceAngle(tumbleAngle, step);
  orbitAngle = advanceAngle(orbitAngle, step);
  orbitAngleZ = advanceAngle(orbitAngleZ, step);
}

// Only the flag: converging, or (when merged) one more colour update.
void FireEffect::explode() { exploding = 1; }

// Back to the circles in the first colours, burst gone; a convergence under
// way goes on, since exploding is left as it is.
void FireEffect::reset() {
  fireDistance = fireStartDistance;
  burstFramesLeft = -1;
  merged = 0;
  setCornerColours(fireBlack, fireWhite);
}
