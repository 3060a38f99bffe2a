#include "app/controller.h"

#include "app/scene_controller.h"
#include "app/tour.h"
#include "app/window.h"
#include "platform/turn_angle.h"
#include "scenes/fire/fire_effect.h"
#include "scenes/intro/intro.h"
#include "scenes/wind/tree.h"

SceneController sceneController;

namespace {

constexpr float zoomStep = 0.25f;
constexpr float zoomLimit = -22.0f;
constexpr int turnStep = 6;
constexpr int halfTurn = 2 * SceneController::quarterTurn;

// The carousel's slot map: the scene standing in each slot, from slot 0.
constexpr int slotScenes[sceneCount] = {windScene, earthScene, waterScene, fireScene};

// Best view per scene: where the travel stops and how much height each call adds.
struct BestView {
  float stop;
  float heightRate;
};
constexpr BestView bestViews[sceneCount] = {
    {-12.5f, 0.04f},   // wind
    {-16.0f, 0.01f},   // earth
    {-11.0f, 0.0f},    // fire: height unchanged
    {-17.0f, 0.018f},  // water
};

constexpr float sphereStep = 0.6f;

constexpr int earthSpinTop = 360;
constexpr double oceanWobbleStep = 0.07;  // double step, stored back as float
constexpr float oceanWobbleLimit = 2.5f;
constexpr double markerStep = 1.2;        // double step, stored back as float

void travelCamera(SceneController& c) {
  c.returnPlannedAtZero = 0;
  if (c.travelMode == travelReturn) {
    if (c.cameraZoom < 0.0f) {
      c.cameraHeight += c.travelHeightStep;
      c.cameraZoom += c.travelZoomStep;
    } else {
      c.travelMode = travelNone;
    }
  } else if (c.travelMode == travelBestView) {
    const BestView& view = bestViews[c.selectedScene];
    if (c.cameraZoom > view.stop) {
      c.cameraZoom -= zoomStep;
      if (view.heightRate != 0.0f) c.cameraHeight += view.heightRate;
    } else {
      c.travelMode = travelNone;
    }
  }
}

// Each sphere swings between 0 and its far end, 0.6 a call, overshooting each
// end by less than a step before it turns.
void slideSpheres(SceneController& c) {
  for (int i = 0; i < SceneController::sphereCount; ++i) {
    float& value = c.sphereOffset[i];
    const float far = SceneController::sphereFarEnd[i];
    const float step = far < 0.0f ? -sphereStep : sphereStep;
    if (!c.sphereReturning[i]) {
      const bool short_of_far = far < 0.0f ? value > far : value < far;
      if (short_of_far) {
        value += step;
      } else {
        value -= step;
        c.sphereReturning[i] = 1;
      }
    } else {
      const bool short_of_zero = far < 0.0f ? value < 0.0f : value > 0.0f;
      if (short_of_zero) {
        value -= step;
      } else {
        value += step;
        c.sphereReturning[i] = 0;
      }
    }
  }
}

bool turnRunning(const SceneController& c) {
  return c.turningBack || c.turningForward || c.turnDouble;
}

// Sends the camera home, with steps planned from where it stands now.
void startReturnTravel(SceneController& c) {
  c.travelMode = travelReturn;
  c.returnPlannedAtZero = c.cameraZoom == 0.0f;
  computeTravelSteps();
}

void turnCarousel(SceneController& c) {
  if (c.turningBack) {
    if (c.turnRemaining > 0) {
      c.turnRemaining -= turnStep;
      c.carouselAngle -= turnStep;
    } else {
      c.turnRemaining = SceneController::quarterTurn;
      c.turningBack = 0;
      c.carouselCount -= 1;
    }
  }
  if (c.turnDouble) {
    c.turnRemaining = halfTurn;
    c.turnDouble = 0;
    c.carouselCount += 1;
  }
  if (c.turningForward) {
    if (c.turnRemaining > 0) {
      c.turnRemaining -= turnStep;
      c.carouselAngle += turnStep;
    } else {
      c.turnRemaining = SceneController::quarterTurn;
      c.turningForward = 0;
      c.carouselCount += 1;
    }
  }
  // A selection made during the turn is carried out now, as if made at rest.
  if (!turnRunning(c) && c.pendingSelection >= 0) {
    const int scene = c.pendingSelection;
    c.pendingSelection = -1;
    requestSelection(scene);
  }
}

void moveEarth(SceneController& c) {
  c.earthSpin += 1;
  if (c.earthSpin > earthSpinTop) c.earthSpin = 0;
  if (c.oceanWobbleRising) {
    if (c.oceanWobble < oceanWobbleLimit) {
      c.oceanWobble = static_cast<float>(c.oceanWobble + oceanWobbleStep);
    } else {
      c.oceanWobbleRising = 0;
      c.oceanWobble = static_cast<float>(c.oceanWobble - oceanWobbleStep);
    }
  } else {
    if (c.oceanWobble > -oceanWobbleLimit) {
      c.oceanWobble = static_cast<float>(c.oceanWobble - oceanWobbleStep);
    } else {
      c.oceanWobbleRising = 1;
      c.oceanWobble = static_cast<float>(c.oceanWobble + oceanWobbleStep);
    }
  }
}

}  // namespace

int carouselSlot(int count) { return ((count % sceneCount) + sceneCount) % sceneCount; }

int sceneInSlot(int slot) { return slotScenes[carouselSlot(slot)]; }

int slotOfScene(int scene) {
  for (int slot = 0; slot < sceneCount; ++slot) {
    if (slotScenes[slot] == scene) return slot;
  }
  return 0;
}

int frontScene() { return sceneInSlot(carouselSlot(sceneController.carouselCount)); }

void computeTravelSteps() {
  SceneController& c = sceneController;
  const int n = static_cast<int>(c.cameraZoom / zoomStep);
  if (n == 0) return;  // at zoom 0 the travel ends on its first call
  c.travelZoomStep = c.cameraZoom / static_cast<float>(n);
  c.travelHeightStep = c.cameraHeight / static_cast<float>(n);
}

void requestBackTurn() {
  SceneController& c = sceneController;
  if (c.turningForward) return;
  c.turningBack = 1;
  startReturnTravel(c);
}

void requestForwardTurn() {
  SceneController& c = sceneController;
  if (c.turningBack) return;
  c.turningForward = 1;
  startReturnTravel(c);
}

// Turns the requested scene to the front the short way round, judged against
// the current count. While the stage turns, the request waits for the turn to
// end: joined to the running turn it would leave the stage out of line.
void requestSelection(int scene) {
  SceneController& c = sceneController;
  if (turnRunning(c)) {
    c.pendingSelection = scene;
    return;
  }
  const int front = carouselSlot(c.carouselCount);
  const int distance = carouselSlot(slotOfScene(scene) - front);
  switch (distance) {
    case 0:
      return;
    case 1:
      c.turningForward = 1;
      break;
    case 2:
      c.turningForward = 1;
      c.turnDouble = 1;
      break;
    case 3:
      c.turningBack = 1;
      break;
  }
  c.selectedScene = scene;
  startReturnTravel(c);
}

void requestBestView(int scene) {
  if (sceneController.selectedScene == scene) sceneController.travelMode = travelBestView;
}

void requestReturn() { startReturnTravel(sceneController); }

void specialKeyPressed(int key, int, int) {
  SceneController& c = sceneController;
  switch (key) {
    case specialKeyLeft:
      requestBackTurn();
      break;
    case specialKeyRight:
      requestForwardTurn();
      break;
    case specialKeyUp:
      if (c.cameraZoom > zoomLimit) {
        c.cameraZoom -= zoomStep;
        // A return travel planned at zoom 0 holds no steps for this zoom;
        // plan it again so it brings zoom and height back together.
        if (c.travelMode == travelReturn && c.returnPlannedAtZero) computeTravelSteps();
      }
      break;
    case specialKeyDown:
      if (c.cameraZoom < 0.0f) c.cameraZoom += zoomStep;
      break;
    default:
      break;
  }
}

void idleUpdate() {
  SceneController& c = sceneController;
  if (tourState.active) advanceTour();
  travelCamera(c);
  if (c.introActive) c.introActive = intro.updateIntro();
  slideSpheres(c);
  turnCarousel(c);
  moveEarth(c);
  c.markerAngle = advanceAngle(c.markerAngle, markerStep);
  tree.updateTree();
  fireEffect.update();
  windowCalls.postRedisplay();
}
