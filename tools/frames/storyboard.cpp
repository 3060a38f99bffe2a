#include "tools/frames/storyboard.h"

#include "app/input.h"
#include "app/window.h"

namespace {

StoryStep advance(int frames) { return {StepKind::advance, frames, nullptr, StoryMenu::main}; }
StoryStep shot(const char* name) { return {StepKind::shot, 0, name, StoryMenu::main}; }
StoryStep key(unsigned char k) { return {StepKind::key, k, nullptr, StoryMenu::main}; }
StoryStep special(int k) { return {StepKind::special, k, nullptr, StoryMenu::main}; }
StoryStep menu(StoryMenu which, int value) { return {StepKind::menu, value, nullptr, which}; }

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
  };
  return steps;
}
