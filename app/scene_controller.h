// The scene controller's record: selection, carousel, camera travel, stage
// motions and the four scene option flags. Plain data only, so that the stage
// and the scenes can read it without seeing the routines that change it
// (those live in app/controller.h).
#pragma once

// Scene indices.
constexpr int windScene = 0;
constexpr int earthScene = 1;
constexpr int fireScene = 2;
constexpr int waterScene = 3;
constexpr int sceneCount = 4;

// Camera travel modes.
constexpr int travelNone = 0;
constexpr int travelBestView = 1;  // in to the selected scene's best view
constexpr int travelReturn = 2;    // back to zoom 0

// Flags are ints holding 0 or 1; angles are degrees.
struct SceneController {
  // One step of the carousel, degrees: from a scene's slot to the next.
  static constexpr int quarterTurn = 90;
  // The stage's sliding spheres and how far each travels from 0.
  static constexpr int sphereCount = 4;
  static constexpr float sphereFarEnd[sphereCount] = {-50.0f, 50.0f, -50.0f, 50.0f};

  int selectedScene = windScene;
  int carouselCount = 0;  // signed count of completed quarter turns
  int carouselAngle = 0;  // stage rotation about its own axis, never wrapped
  int turnRemaining = quarterTurn;
  int turningBack = 0;
  int turningForward = 0;
  int turnDouble = 0;
  // A scene asked for while the stage turned (-1: none); the latest wins, and
  // it is selected when the running turn ends.
  int pendingSelection = -1;
  int stageTiltX = 300;
  int stageTiltY = 0;
  float cameraZoom = 0.0f;    // 0 or negative, a multiple of 0.25
  float cameraHeight = 0.0f;
  int travelMode = travelNone;
  float travelZoomStep = 0.0f;
  float travelHeightStep = 0.0f;
  // The return travel was planned at zoom 0 and has not taken a step yet, so
  // zooming in plans it again.
  int returnPlannedAtZero = 0;
  int introActive = 1;
  // The first two spheres start at 0, the last two at their far ends.
  float sphereOffset[sphereCount] = {0.0f, 0.0f, sphereFarEnd[2], sphereFarEnd[3]};
  int sphereReturning[sphereCount] = {0, 0, 1, 1};
  float markerAngle = 0.0f;  // kept within one turn
  int earthSpin = 0;  // 0..360
  float oceanWobble = 0.0f;
  int oceanWobbleRising = 1;
  int showLeaves = 1;
  int showBranches = 1;
  int showBirds = 1;
  int showOcean = 1;
};

extern SceneController sceneController;
