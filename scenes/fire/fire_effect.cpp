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
  glVertexPointer(fireParticleFloats, GL_FLOAT, 0, fireState.fireParticlePositions);
}

// Converge (and merge or fire the burst), move and fade the burst, spin.
void FireEffect::update() {
  FireState& s = fireState;
  if (s.exploding) {
    if (s.fireDistance <= 0.0f) {
      setCornerColours(fireRed, fireYellow);
      s.exploding = 0;
      s.merged = 1;
    } else {
      s.fireDistance -= convergeStep;
    }
    if (s.fireDistance == burstDistance) {
      s.burstAlpha = 1.0f;
      startBurst();
    }
  }
  if (s.burstFramesLeft > 0) {
    moveBurst();
    s.burstFramesLeft -= 1;
  }
  if (s.burstFramesLeft >= 1 && s.burstFramesLeft < fadeFrames) s.burstAlpha -= fadeStep;
  const float step = s.merged ? mergedSpinStep : spinStep;
  s.tumbleAngle = advanceAngle(s.tumbleAngle, step);
  s.orbitAngle = advanceAngle(s.orbitAngle, step);
  s.orbitAngleZ = advanceAngle(s.orbitAngleZ, step);
}

// Only the flag: exploding, or (when merged) one more colour update.
void FireEffect::explode() { fireState.exploding = 1; }

// Back to the circles in the first colours, burst gone; a convergence under
// way goes on, since the exploding flag is left as it is.
void FireEffect::reset() {
  FireState& s = fireState;
  s.fireDistance = fireStartDistance;
  s.burstFramesLeft = -1;
  s.merged = 0;
  setCornerColours(fireBlack, fireWhite);
}
