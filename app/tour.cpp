#include "app/tour.h"

#include "app/input.h"
#include "app/scene_controller.h"

TourState tourState;

namespace {

void selectWind() { mainMenuSelected(menuSelectWind); }
void selectEarth() { mainMenuSelected(menuSelectEarth); }
void selectFire() { mainMenuSelected(menuSelectFire); }
void selectWater() { mainMenuSelected(menuSelectWater); }
void returnCamera() { mainMenuSelected(menuResetZoom); }
void windBestView() { windMenuSelected(windBestZoom); }
void toggleLeaves() { windMenuSelected(windLeaves); }
void toggleBranches() { windMenuSelected(windBranches); }
void earthBestView() { earthMenuSelected(earthBestZoom); }
void toggleOcean() { earthMenuSelected(earthWater); }
void fireBestView() { fireMenuSelected(fireBestZoom); }
void explode() { fireMenuSelected(fireExplode); }
void resetFire() { fireMenuSelected(fireReset); }
void waterBestView() { waterMenuSelected(waterBestZoom); }
void drop() { waterMenuSelected(waterDrop); }

}  // namespace

// About eleven seconds a scene at 60 frames a second: a moment on the stage
// after its turn, the travel in, each effect held long enough to be seen
// (a burst plays out in about 130 frames), and the travel back. A best view
// is asked for 60 frames after the turn began, when the longest turn (31
// frames) is over, since it acts only for the scene in front.
const TourStep tourSteps[] = {
    {90, selectWind, "wind to the front"},
    {60, windBestView, "in to the tree"},
    {150, toggleLeaves, "leaves off"},
    {120, toggleLeaves, "leaves on"},
    {90, toggleBranches, "branches off"},
    {120, toggleBranches, "branches on"},
    {90, returnCamera, "back from the tree"},
    {90, selectEarth, "earth to the front"},
    {60, earthBestView, "in to the landscape"},
    {150, toggleOcean, "water sheet off"},
    {150, toggleOcean, "water sheet on"},
    {120, returnCamera, "back from the landscape"},
    {90, selectFire, "fire to the front"},
    {60, fireBestView, "in to the fireballs"},
    {30, resetFire, "the fireballs on their circles, if a burst had merged them"},
    {90, explode, "explode"},
    {300, resetFire, "reset"},
    {120, returnCamera, "back from the fireballs"},
    {90, selectWater, "water to the front"},
    {60, waterBestView, "in to the pool"},
    {120, drop, "a drop"},
    {120, drop, "another drop"},
    {150, drop, "a third drop"},
    {180, returnCamera, "back from the pool"},
};
const int tourStepCount = sizeof tourSteps / sizeof tourSteps[0];

void startTour() {
  tourState.active = 1;
  tourState.step = 0;
  tourState.framesLeft = tourSteps[0].holdFrames;
}

void endTour() { tourState.active = 0; }

void advanceTour() {
  TourState& tour = tourState;
  if (!tour.active || sceneController.introActive) return;
  if (--tour.framesLeft > 0) return;
  tourSteps[tour.step].act();
  tour.step = (tour.step + 1) % tourStepCount;
  tour.framesLeft = tourSteps[tour.step].holdFrames;
}

int tourFramesUntil(int step) {
  int frames = 0;
  for (int i = 0; i <= step; ++i) frames += tourSteps[i % tourStepCount].holdFrames;
  return frames;
}
