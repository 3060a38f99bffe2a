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
// Frames of the intro: its last update ends it.
constexpr int introFrames = 158;

}  // namespace

const std::vector<StoryStep>& storyboard() {
  static const std::vector<StoryStep> steps = {
      shot("intro-001"),
      advance(introFrames - 2),
      shot("intro-157"),
      shot("stage-wind"),
      key('2'),
      advance(quarterTurnFrames / 2),
      shot("stage-mid-turn"),
      advance(quarterTurnFrames / 2),
      shot("stage-earth"),
      key('3'),
      advance(halfTurnFrames),
      shot("stage-fire"),
      special(specialKeyRight),
      advance(quarterTurnFrames),
      shot("stage-water"),
      special(specialKeyUp),
      special(specialKeyUp),
      menu(StoryMenu::main, menuMoveDown),
      shot("stage-water-zoomed"),
      key('1'),
      advance(halfTurnFrames),
      shot("stage-wind-again"),
  };
  return steps;
}
