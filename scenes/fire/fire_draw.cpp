// Drawing the fire: the burst and the eight fireball copies, and the fire's
// place on the stage.
#include <GL/gl.h>

#include "assets/models.h"
#include "scenes/fire/fire_effect.h"
#include "scenes/fire/fire_state.h"

namespace {

// The fire's place on the stage and its scale there.
constexpr float scenePosition[3] = {13.0f, 0.1f, 14.0f};
constexpr float sceneScale = 0.15f;
// The centre the fireballs circle, in the fire's frame.
constexpr float centreDepth = -45.0f;
// Fireball scale before and after the merge.
constexpr float fireballScale = 0.07f;
constexpr float mergedFireballScale = 0.09f;
// Fixed tilt of the diagonal copies' orbits.
constexpr float diagonalTilt = 45.0f;

// Which value turns one rotation.
enum class Angle { none, tilt, orbitZ, orbit, orbitNegated };

struct Rotation {
  Angle angle;
  float x;
  float y;
  float z;
};

// One copy: rotations before its translation, the translation in units of
// the distance, and the sense of its own turns after it.
struct FireballCopy {
  Rotation before[3];
  float x;
  float z;
  float turnSense;
};

constexpr Rotation noRotation{Angle::none, 0.0f, 0.0f, 0.0f};
constexpr Rotation orbitZAboutZ{Angle::orbitZ, 0.0f, 0.0f, 1.0f};
constexpr Rotation orbitAboutY{Angle::orbit, 0.0f, 1.0f, 0.0f};
constexpr Rotation tiltAboutX{Angle::tilt, 1.0f, 0.0f, 0.0f};
constexpr Rotation tiltAboutY{Angle::tilt, 0.0f, 1.0f, 0.0f};
constexpr Rotation tiltAboutZ{Angle::tilt, 0.0f, 0.0f, 1.0f};
constexpr Rotation orbitAboutXY{Angle::orbit, 1.0f, 1.0f, 0.0f};          // unnormalised
constexpr Rotation orbitBackAboutYZ{Angle::orbitNegated, 0.0f, 1.0f, 1.0f};  // unnormalised

// The copies in drawing order, counted from 0: 0 and 1 orbit about z, 2 and 3
// about y, 4 to 7 on tilted orbits.
constexpr FireballCopy fireballCopies[8] = {
    {{orbitZAboutZ, noRotation, noRotation}, -1.0f, 0.0f, 1.0f},
    {{orbitZAboutZ, noRotation, noRotation}, 1.0f, 0.0f, -1.0f},
    {{orbitAboutY, noRotation, noRotation}, 0.0f, 1.0f, 1.0f},
    {{orbitAboutY, noRotation, noRotation}, 0.0f, -1.0f, -1.0f},
    {{tiltAboutY, tiltAboutZ, orbitAboutXY}, 1.0f, 1.0f, 1.0f},
    {{tiltAboutY, tiltAboutZ, orbitAboutXY}, -1.0f, -1.0f, -1.0f},
    {{tiltAboutX, tiltAboutY, orbitBackAboutYZ}, -1.0f, 1.0f, 1.0f},
    {{tiltAboutX, tiltAboutY, orbitBackAboutYZ}, 1.0f, -1.0f, -1.0f},
};

void rotate(const Rotation& r) {
  float degrees = 0.0f;
  switch (r.angle) {
    case Angle::none: return;
    case Angle::tilt: degrees = diagonalTilt; break;
    case Angle::orbitZ: degrees = fireState.orbitAngleZ; break;
    case Angle::orbit: degrees = fireState.orbitAngle; break;
    case Angle::orbitNegated: degrees = -fireState.orbitAngle; break;
  }
  glRotatef(degrees, r.x, r.y, r.z);
}

// The burst as one array draw of additive yellow points, fading by alpha.
void drawBurst() {
  glPushAttrib(GL_ALL_ATTRIB_BITS);
  glEnable(GL_BLEND);
  glColor4f(1.0f, 1.0f, 0.0f, fireState.burstAlpha);
  glPushMatrix();
  glDisable(GL_DEPTH_TEST);
  glDrawArrays(GL_POINTS, 0, fireParticleCount);
  glPopMatrix();
  glPopAttrib();
}

void drawCopy(const FireballCopy& copy) {
  const FireState& s = fireState;
  glPushMatrix();
  for (const Rotation& r : copy.before) rotate(r);
  glTranslatef(copy.x * s.fireDistance, 0.0f, copy.z * s.fireDistance);
  glRotatef(copy.turnSense * s.orbitAngle, 0.0f, 1.0f, 0.0f);
  glRotatef(copy.turnSense * s.tumbleAngle, 1.0f, 0.0f, 0.0f);
  fireballModel.drawAll();
  glPopMatrix();
}

}  // namespace

// The burst while it lives, then the copies: always opaque and depth-tested,
// whatever the caller set.
void FireEffect::draw() {
  glTranslatef(0.0f, 0.0f, centreDepth);
  if (fireState.burstFramesLeft > 0) drawBurst();
  glEnable(GL_DEPTH_TEST);
  glDisable(GL_BLEND);
  const float scale = fireState.merged ? mergedFireballScale : fireballScale;
  glScalef(scale, scale, scale);
  for (const FireballCopy& copy : fireballCopies) drawCopy(copy);
}

// All attributes and the matrix are handed back as they were found.
void drawFireScene() {
  glPushAttrib(GL_ALL_ATTRIB_BITS);
  glColor3f(1.0f, 1.0f, 1.0f);
  glPushMatrix();
  glTranslatef(scenePosition[0], scenePosition[1], scenePosition[2]);
  glScalef(sceneScale, sceneScale, sceneScale);
  fireEffect.draw();
  glPopMatrix();
  glPopAttrib();
}
