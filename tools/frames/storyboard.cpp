#include "tools/frames/storyboard.h"

#include "app/input.h"
#include "app/tour.h"
#include "app/window.h"

namespace {

StoryStep advance(int frames) { return {StepKind::advance, frames, nullptr, StoryMenu::main}; }
StoryStep shot(const char* name) { return {StepKind::shot, 0, name, StoryMenu::main}; }
StoryStep key(unsigned char k) { return {StepKind::key, k, nullptr, StoryMenu::main}; }
StoryStep special(int k) { return {StepKind::special, k, nullptr, StoryMenu::main}; }
StoryStep menu(StoryMenu which, int value) { return {StepKind::menu, value, nullptr, which}; }
StoryStep tour() { return {StepKind::tour, 0, nullptr, StoryMenu::main}; }

// A moment of the tour to capture: frames after the action of a step.
struct TourMoment {
  const char* name;
  int step;   // the tour's step, counted from 0
  int after;  // frames after its action
};

// The tour from where the storyboard leaves the stage (fire in front, seen
// from its best view): a moment of each scene's part.
constexpr TourMoment tourMoments[] = {
    {"tour-wind-leaves-off", 2, 20},
    {"tour-earth-water-off", 9, 20},
    {"tour-fire-mid-burst", 15, 70},
    {"tour-water-drops", 22, 30},
};

// The tour's start, then each moment as frames to run and a shot.
void addTour(std::vector<StoryStep>& steps) {
  steps.push_back(tour());
  int frames = 0;  // frames run since the tour started
  for (const TourMoment& moment : tourMoments) {
    const int shotFrame = tourFramesUntil(moment.step) + moment.after;
    steps.push_back(advance(shotFrame - 1 - frames));
    steps.push_back(shot(moment.name));
    frames = shotFrame;
  }
}

// Frames a quarter turn and a half turn of the stage take to complete.
constexpr int quarterTurnFrames = 16;
constexpr int halfTurnFrames = 31;
// Enough frames for any best-zoom travel or return to finish.
constexpr int bestZoomFrames = 70;

}  // namespace

const std::vector<StoryStep>& storyboard() {
  static const std::vector<StoryStep> steps = {
      // The intro: pieces leave the depth every 20 updates; update 158 ends it.
      shot("intro-001"),
      advance(38),
      shot("intro-040"),
      advance(59),
      shot("intro-100"),
      advance(56),
      shot("intro-157"),

      // Wind in front: the stage as it first appears, then the scene's options.
      shot("stage-wind"),
      menu(StoryMenu::wind, windBestZoom),
      advance(bestZoomFrames),
      shot("wind-best-zoom"),
      menu(StoryMenu::wind, windLeaves),
      shot("wind-leaves-off"),
      menu(StoryMenu::wind, windLeaves),
      menu(StoryMenu::wind, windBranches),
      shot("wind-branches-off"),
      menu(StoryMenu::wind, windBranches),
      menu(StoryMenu::main, menuResetZoom),
      advance(bestZoomFrames),

      // A quarter turn to earth, caught halfway.
      key('2'),
      advance(quarterTurnFrames / 2),
      shot("stage-mid-turn"),
      advance(quarterTurnFrames / 2),
      shot("stage-earth"),
      menu(StoryMenu::earth, earthBestZoom),
      advance(bestZoomFrames),
      shot("earth-best-zoom"),
      menu(StoryMenu::earth, earthWater),
      shot("earth-water-off"),
      menu(StoryMenu::earth, earthWater),
      menu(StoryMenu::main, menuResetZoom),
      advance(bestZoomFrames),

      // Round the stage: fire by a half turn, water by a back turn.
      key('3'),
      advance(halfTurnFrames),
      shot("stage-fire"),
      special(specialKeyLeft),
      advance(quarterTurnFrames),
      shot("stage-water"),

      // Water: the still surface, then a drop's rings one and twenty frames
      // on, seen from the best zoom; the birds switched off.
      shot("water-still"),
      menu(StoryMenu::water, waterBestZoom),
      advance(bestZoomFrames),
      shot("water-best-zoom"),
      key('d'),
      shot("water-drop-1"),
      advance(19),
      shot("water-drop-20"),
      menu(StoryMenu::water, waterBirds),
      shot("water-birds-off"),
      menu(StoryMenu::water, waterBirds),
      menu(StoryMenu::main, menuResetZoom),
      advance(bestZoomFrames),

      // Fire: orbiting, then from the best zoom Explode's convergence (update
      // 12), the burst as it leaves the fused fireball (update 40; it starts
      // on update 25 hidden inside the converging copies), mid-burst (update
      // 70) and the merged fireball after the burst (update 150).
      key('3'),
      advance(quarterTurnFrames),
      shot("fire-orbiting"),
      menu(StoryMenu::fire, fireBestZoom),
      advance(bestZoomFrames),
      shot("fire-best-zoom"),
      key('c'),
      advance(11),
      shot("fire-converging"),
      advance(27),
      shot("fire-burst-start"),
      advance(29),
      shot("fire-mid-burst"),
      advance(79),
      shot("fire-merged"),
  };
  static const std::vector<StoryStep> withTour = [] {
    std::vector<StoryStep> all = steps;
    addTour(all);
    return all;
  }();
  return withTour;
}
