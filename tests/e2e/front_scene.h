// Which scene stands in front of the stage, told from outside the program:
// the front scene is drawn solid below the stage's centre, and the mean
// colour of that box on the display says which one it is.
#pragma once
#include "tests/e2e/running_program.h"

// A mean colour, each channel 0..1.
struct MeanColour {
  double r = 0, g = 0, b = 0;
};

// The mean colour of the front box; black if the display cannot be read.
MeanColour frontColour(const RunningProgram& run);

struct FrontScene {
  const char* name;
  bool (*seen)(const MeanColour&);
};

// wind, earth, fire and water, in the stage's order.
constexpr int frontSceneCount = 4;
extern const FrontScene frontScenes[frontSceneCount];

// Watches the front box until scene stands there; false if it has not come
// before the program counts as hung. seen is the last colour looked at.
bool waitForFront(const RunningProgram& run, const FrontScene& scene, MeanColour& seen);

// Watches the front box until scene has stood there without a break for
// standingFrames frames (as the titles count them; 0 takes one sight);
// false if it has not after frames more frames, or the program stops
// drawing. The camera's travels pass through views that look like another
// scene for a moment, which a standing time rules out.
bool seenInFrontWithin(RunningProgram& run, const FrontScene& scene, int frames,
                       int standingFrames = 0);
