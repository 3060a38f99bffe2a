// The scene controller: carousel turns, selection requests, camera travels and
// the small continuous motions, step by step as idleUpdate advances them.
#include <algorithm>
#include <cmath>
#include <iterator>

#include "app/input.h"
#include "tests/app/shell_fixture.h"

namespace {

using Controller = ShellTest;

enum Outcome { nothing, forward, back, forwardDouble };

// Row: the scene in front (by count); column: the scene asked for.
const Outcome selectionTable[sceneCount][sceneCount] = {
    {nothing, forward, back, forwardDouble},  // wind in front
    {back, nothing, forwardDouble, forward},  // earth
    {forwardDouble, back, forward, nothing},  // water
    {forward, forwardDouble, nothing, back},  // fire
};

TEST_F(Controller, SelectionRequestsFollowTheOutcomeTable) {
  for (const int lap : {0, -4, 8}) {  // any count with the same slot behaves alike
    for (int front = 0; front < sceneCount; ++front) {
      for (int requested = 0; requested < sceneCount; ++requested) {
        const Outcome outcome = selectionTable[front][requested];
        c = SceneController{};
        c.carouselCount = front + lap;
        c.selectedScene = frontScene();
        c.cameraZoom = -5.0f;
        requestSelection(requested);
        SCOPED_TRACE(testing::Message() << "count " << c.carouselCount << " requested " << requested);
        EXPECT_EQ(c.turningForward, outcome == forward || outcome == forwardDouble);
        EXPECT_EQ(c.turnDouble, outcome == forwardDouble);
        EXPECT_EQ(c.turningBack, outcome == back);
        EXPECT_EQ(c.selectedScene, outcome == nothing ? frontScene() : requested);
        EXPECT_EQ(c.travelMode, outcome == nothing ? travelNone : travelReturn);
      }
    }
  }
}

TEST_F(Controller, TurnsCountAtTheirEndsAndRestInLine) {
  // A quarter turn changes the count on its 16th step; a half turn counts
  // on its 1st and 31st (the scene halfway round stands in front between).
  const struct {
    const char* turn;
    void (*request)();
    struct {
      int steps, count, angle;
    } after[3];
    int front;
  } turns[] = {
      {"forward", requestForwardTurn, {{15, 0, 90}, {16, 1, 90}, {21, 1, 90}}, earthScene},
      {"back", requestBackTurn, {{15, 0, -90}, {16, -1, -90}, {21, -1, -90}}, fireScene},
      {"half", [] { requestSelection(waterScene); }, {{1, 1, 6}, {30, 1, 180}, {31, 2, 180}},
       waterScene},
  };
  for (const auto& t : turns) {
    SCOPED_TRACE(t.turn);
    c = SceneController{};
    t.request();
    int done = 0;
    for (const auto& point : t.after) {
      idle(point.steps - done);
      done = point.steps;
      EXPECT_EQ(c.carouselCount, point.count) << "after " << done;
      EXPECT_EQ(c.carouselAngle, point.angle) << "after " << done;
    }
    EXPECT_EQ(frontScene(), t.front);
    EXPECT_EQ(c.turningForward + c.turnDouble + c.turningBack, 0);
  }
}

TEST_F(Controller, CameraTravelsEndAtTheirStopsWithZoomAndHeightTogether) {
  // A best view, maybe followed after some steps by a return; or a return
  // planned at zoom 0 (no steps of its own, or stale ones) that up presses
  // before the next step plan again from the new zoom.
  const struct {
    const char* travel;
    int bestView;     // the scene whose best view is asked for; -1: none
    int stepsBefore;  // idle steps before the return; -1: no return
    float height, staleHeightStep;
    int presses;
    int steps;  // idle steps until the travel ends (the last only ends it)
    float zoom;
    double endHeight;
  } travels[] = {
      {"in to wind", windScene, -1, 0, 0, 0, 51, -12.5f, 2.0},
      {"in to earth", earthScene, -1, 0, 0, 0, 65, -16.0f, 0.64},
      {"in to fire", fireScene, -1, 0, 0, 0, 45, -11.0f, 0.0},
      {"in to water", waterScene, -1, 0, 0, 0, 69, -17.0f, 1.224},
      {"back from wind", windScene, 51, 0, 0, 0, 51, 0, 0},
      {"back, half way in", windScene, 10, 0, 0, 0, 11, 0, 0},
      {"back from zoom 0", -1, 0, 1.0f, 0, 0, 1, 0, 1.0},
      {"1 press", -1, 0, 1.0f, 0.3f, 1, 2, 0, 0},
      {"3 presses", -1, 0, 2.0f, 0, 3, 4, 0, 0},
      {"3 presses, stale", -1, 0, 2.0f, 0.3f, 3, 4, 0, 0},
      {"8 presses", -1, 0, -1.5f, 0, 8, 9, 0, 0},
      {"2 presses at height 0", -1, 0, 0, 0, 2, 3, 0, 0},
  };
  for (const auto& t : travels) {
    SCOPED_TRACE(t.travel);
    c = SceneController{};
    c.introActive = 0;
    c.cameraHeight = t.height;
    c.travelZoomStep = t.staleHeightStep == 0.0f ? 0.0f : 0.25f;
    c.travelHeightStep = t.staleHeightStep;
    if (t.bestView >= 0) {
      c.selectedScene = t.bestView;
      requestBestView(t.bestView);
    }
    if (t.stepsBefore >= 0) {
      idle(t.stepsBefore);
      requestReturn();
    }
    for (int i = 0; i < t.presses; ++i) specialKeyPressed(specialKeyUp, 0, 0);
    int steps = 0;
    for (; c.travelMode != travelNone && steps < 200; ++steps) idleUpdate();
    EXPECT_EQ(steps, t.steps);
    EXPECT_EQ(c.cameraZoom, t.zoom);
    EXPECT_NEAR(c.cameraHeight, t.endHeight, 1e-4);
  }
}

// A stage request as the user makes it: keys 1 to 4, or '<' and '>' for the
// left and right arrows.
void press(char request) {
  if (request == '<') {
    specialKeyPressed(specialKeyLeft, 0, 0);
  } else if (request == '>') {
    specialKeyPressed(specialKeyRight, 0, 0);
  } else {
    keyPressed(static_cast<unsigned char>(request), 0, 0);
  }
}

// Idle steps until the stage and the camera are at rest; false if they never are.
bool settle() {
  const SceneController& c = sceneController;
  for (int step = 0; step < 400; ++step) {
    if (!c.turningBack && !c.turningForward && !c.turnDouble && c.pendingSelection < 0 &&
        c.travelMode == travelNone) {
      return true;
    }
    idleUpdate();
  }
  return false;
}

// Each request made with wind in front and the stage at rest: the scene it
// brings to the front, and the idle steps its turn runs (a quarter turn
// counts on its 16th step, a half turn on its 31st).
struct FirstRequest {
  char request;
  int front;
  int turnSteps;
};
const FirstRequest firstRequests[] = {{'1', windScene, 0},   {'2', earthScene, 16},
                                      {'3', fireScene, 16},  {'4', waterScene, 31},
                                      {'<', fireScene, 16},  {'>', earthScene, 16}};

// The scene a request brings to the front when the stage rests with front
// there; an arrow moves the stage by one slot.
int sceneAfter(char request, int front) {
  if (request == '<') return sceneInSlot(slotOfScene(front) - 1);
  if (request == '>') return sceneInSlot(slotOfScene(front) + 1);
  return request - '1';
}

TEST_F(Controller, TheStageComesToRestInLineWithTheSceneAskedForLast) {
  // Every pair of requests, with every spacing up to a whole half turn: the
  // stage rests at 90 degrees a quarter turn, and the scene in front is the
  // one selected last, or, after an arrow, the one the arrow turned to (an
  // arrow against a running turn is ignored).
  for (const FirstRequest& first : firstRequests) {
    for (const FirstRequest& second : firstRequests) {
      for (int gap = 0; gap <= 32; ++gap) {
        c = SceneController{};
        c.introActive = 0;
        press(first.request);
        idle(gap);
        press(second.request);
        SCOPED_TRACE(testing::Message() << "'" << first.request << "', " << gap << " idle steps, '"
                                        << second.request << "'");
        ASSERT_TRUE(settle());
        const bool arrowIgnored = (second.request == '<' || second.request == '>') &&
                                  gap < first.turnSteps;
        const int expected = arrowIgnored ? first.front : sceneAfter(second.request, first.front);
        EXPECT_EQ(c.carouselAngle, 90 * c.carouselCount);
        EXPECT_EQ(frontScene(), expected);
      }
    }
  }

  // Triples ending in a selection, spaced across both turns' ends: the
  // last selection always arrives, whatever waited before it.
  const char selections[] = {'1', '2', '3', '4'};
  const int gaps[] = {0, 1, 14, 15, 16, 29, 30, 31, 32};
  for (const FirstRequest& first : firstRequests) {
    for (const FirstRequest& second : firstRequests) {
      for (const char third : selections) {
        for (const int gap1 : gaps) {
          for (const int gap2 : gaps) {
            c = SceneController{};
            c.introActive = 0;
            press(first.request);
            idle(gap1);
            press(second.request);
            idle(gap2);
            press(third);
            SCOPED_TRACE(testing::Message() << "'" << first.request << "', " << gap1 << ", '"
                                            << second.request << "', " << gap2 << ", '" << third
                                            << "'");
            ASSERT_TRUE(settle());
            EXPECT_EQ(c.carouselAngle, 90 * c.carouselCount);
            EXPECT_EQ(frontScene(), third - '1');
          }
        }
      }
    }
  }
}

TEST_F(Controller, ContinuousMotionsSwingBetweenTheirEnds) {
  // Over 1000 steps each value stays within its ends and reaches them (the
  // wobble and spheres turn one step past; the earth counts 0 to 360).
  const struct {
    const char* motion;
    float (*value)();
    float low, high, slack;
  } motions[] = {
      {"earth spin", [] { return float(sceneController.earthSpin); }, 0, 360, 0},
      {"ocean wobble", [] { return sceneController.oceanWobble; }, -2.5f, 2.5f, 0.07f},
      {"marker", [] { return sceneController.markerAngle; }, 0, 360, 1.2f},
      {"sphere 1", [] { return sceneController.sphereOffset[0]; }, -50, 0, 0.6f},
      {"sphere 2", [] { return sceneController.sphereOffset[1]; }, 0, 50, 0.6f},
      {"sphere 3", [] { return sceneController.sphereOffset[2]; }, -50, 0, 0.6f},
      {"sphere 4", [] { return sceneController.sphereOffset[3]; }, 0, 50, 0.6f},
  };
  float lowest[std::size(motions)], highest[std::size(motions)];
  for (size_t m = 0; m < std::size(motions); ++m) lowest[m] = highest[m] = motions[m].value();
  for (int step = 0; step < 1000; ++step) {
    idleUpdate();
    for (size_t m = 0; m < std::size(motions); ++m) {
      lowest[m] = std::min(lowest[m], motions[m].value());
      highest[m] = std::max(highest[m], motions[m].value());
    }
  }
  for (size_t m = 0; m < std::size(motions); ++m) {
    const auto& t = motions[m];
    EXPECT_GE(lowest[m], t.low - t.slack) << t.motion;
    EXPECT_LE(lowest[m], t.low + t.slack) << t.motion;
    EXPECT_GE(highest[m], t.high - t.slack) << t.motion;
    EXPECT_LE(highest[m], t.high + t.slack) << t.motion;
  }
}

TEST_F(Controller, TheMarkerSpinStaysWithinOneTurnAndKeepsItsStep) {
  // Near 2^24 a float can no longer take a 1.2 step: held unbounded, the
  // spin would stutter and then freeze. Kept within a turn it runs on evenly.
  c.markerAngle = 16777000.0f;
  idleUpdate();
  EXPECT_NEAR(c.markerAngle, std::fmod(16777000.0 + 1.2, 360.0), 1e-4);
  for (int i = 0; i < 2000; ++i) {
    const float before = c.markerAngle;
    idleUpdate();
    ASSERT_NEAR(std::fmod(c.markerAngle - before + 360.0f, 360.0f), 1.2f, 1e-4f) << "step " << i;
  }
}

TEST_F(Controller, TurnsAndTravelsRequestedDuringTheIntroRun) {
  c.introActive = 1;
  specialKeyPressed(specialKeyUp, 0, 0);
  requestSelection(earthScene);
  EXPECT_EQ(c.selectedScene, earthScene);
  idle(16);
  EXPECT_EQ(c.carouselCount, 1);
  EXPECT_EQ(c.cameraZoom, 0.0f);
  EXPECT_EQ(c.earthSpin, 16);
}

TEST_F(Controller, EveryIdleStepRequestsARedisplay) {
  idle(7);
  EXPECT_EQ(redisplays, 7);
}

}  // namespace
