#include "app/frame.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "app/backdrop_cache.h"
#include "app/controller.h"
#include "app/projection.h"
#include "app/scene_controller.h"
#include "app/window.h"
#include "assets/display_lists.h"
#include "assets/stage.h"
#include "assets/textures.h"
#include "platform/clock.h"
#include "scenes/earth/earth_scene.h"
#include "scenes/fire/fire_effect.h"
#include "scenes/intro/intro.h"
#include "scenes/water/water_scene.h"
#include "scenes/wind/wind_scene.h"

FrameRateCounter frameRateCounter;
FrameOptions frameOptions;

FrameScene frameScenes[sceneCount] = {
    {earthScene, drawEarthScene},
    {windScene, drawWindScene},
    {fireScene, drawFireScene},
    {waterScene, drawWaterScene},
};

namespace {

constexpr uint32_t titleInterval = 1000;  // milliseconds between title updates
constexpr float cameraDistance = -36.0f;
// The view the starfield quad was made to fill.
constexpr float backdropAspect = 4.0f / 3.0f;

// How far to either side the backdrop must reach, in the quad's units, to
// fill a view of this aspect: its plane is farthest from the eye at zoom 0.
float backdropReach(float aspect) {
  const double distance = starfieldDepth - cameraDistance;
  const double halfHeight = distance * std::tan(viewFieldOfView / 2.0 * M_PI / 180.0);
  constexpr double margin = 1.0;
  return static_cast<float>(halfHeight * aspect + margin);
}

// Hands what has been drawn so far to the renderer. A renderer that
// rasterises in threads of its own (Mesa's llvmpipe bins a whole frame before
// its threads start) can then draw this part while the next is prepared. It
// changes no pixel and no state.
void handOver() {
  if (frameOptions.handOver) glFlush();
}

void drawIntroFrame() {
  glPushAttrib(GL_ALL_ATTRIB_BITS);
  intro.drawIntro();
  glDisable(GL_TEXTURE_2D);
  glPopAttrib();
}

// The stage, its markers and the four scenes, the front one solid.
void drawStageFrame() {
  SceneController& c = sceneController;
  glDisable(GL_TEXTURE_2D);
  glRotatef(static_cast<float>(c.stageTiltX), 1.0f, 0.0f, 0.0f);
  glRotatef(static_cast<float>(c.stageTiltY), 0.0f, 1.0f, 0.0f);
  glRotatef(static_cast<float>(c.carouselAngle), 0.0f, 0.0f, 1.0f);
  drawStage();
  handOver();

  glEnable(GL_BLEND);
  glDisable(GL_DEPTH_TEST);
  drawFireMarker();
  drawEarthMarker();
  drawWaterMarker();
  drawWindMarker();
  glEnable(GL_DEPTH_TEST);
  glDisable(GL_BLEND);
  handOver();

  const int front = frontScene();
  for (const FrameScene& entry : frameScenes) {
    if (entry.scene == front) {
      c.selectedScene = entry.scene;
      entry.draw();
    } else {
      glDisable(GL_DEPTH_TEST);
      glEnable(GL_BLEND);
      entry.draw();
      glEnable(GL_DEPTH_TEST);
      glDisable(GL_BLEND);
    }
    handOver();
  }
  glEnable(GL_DEPTH_TEST);
  glDisable(GL_BLEND);
}

}  // namespace

bool countFrame(FrameRateCounter& counter, uint32_t now, char (&title)[titleBufferSize]) {
  if (static_cast<uint32_t>(now - counter.lastTitleTime) >= titleInterval) {
    counter.framesPerSecond = counter.frameCount;
    std::snprintf(title, sizeof title, "%s       [ FPS: %i ]", windowTitle,
                  static_cast<int>(counter.framesPerSecond));
    counter.lastTitleTime = now;
    counter.frameCount = 0;
    return true;
  }
  counter.frameCount += 1;
  return false;
}

// With the camera at rest the opening is the same frame after frame: then it
// comes from the backdrop cache, colour and depth as clearing and drawing the
// starfield would leave them, and so does the state the starfield's list sets.
void clearAndDrawBackdrop() {
  const BackdropKey key = currentBackdropKey();
  const bool restored = restoreBackdrop(key);
  if (!restored) glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glLoadIdentity();
  glTranslatef(0.0f, sceneController.cameraHeight, -sceneController.cameraZoom);
  glTranslatef(0.0f, 0.0f, cameraDistance);
  glColor3f(1.0f, 1.0f, 1.0f);
  if (restored) {
    leaveStarfieldQuadState();
  } else {
    glCallList(static_cast<GLuint>(starfieldList));
    // A view wider than the quad's gets the starfield continued to its sides.
    const float aspect = static_cast<float>(key.width) / static_cast<float>(std::max(key.height, 1));
    if (aspect > backdropAspect) drawStarfieldSides(backdropReach(aspect));
    keepBackdrop(key);
  }
}

void displayFrame() {
  char title[titleBufferSize];
  if (countFrame(frameRateCounter, clockMilliseconds(), title)) windowCalls.setTitle(title);

  clearAndDrawBackdrop();
  glEnable(GL_TEXTURE_2D);
  glBindTexture(GL_TEXTURE_2D, stoneTexture);

  if (sceneController.introActive) {
    drawIntroFrame();
  } else {
    drawStageFrame();
  }
  windowCalls.swapBuffers();
}
