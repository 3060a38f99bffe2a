// The frame tool's storyboard: a fixed sequence of frames, inputs and named
// shots through the real program.
#pragma once
#include <vector>

enum class StepKind {
  advance,  // run value frames (idle step + display) without capturing
  shot,     // run one frame and capture it as name
  key,      // keyboard callback with value
  special,  // special-key callback with value
  menu,     // menu callback of menu with value
  tour,     // start the tour
};

// Which menu callback a menu step calls.
enum class StoryMenu { main, wind, earth, fire, water };

struct StoryStep {
  StepKind kind;
  int value;
  const char* name;
  StoryMenu menu;
};

// The whole storyboard, in order.
const std::vector<StoryStep>& storyboard();
