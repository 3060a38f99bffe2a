// The scene controller: carousel turns, selection requests, camera travels and
// the small continuous motions, step by step as idleUpdate advances them.
#include <algorithm>
#include <iterator>

#include "app/input.h"
#include "tests/app/shell_fixture.h"

namespace {

using Controller = ShellTest;

TEST_F(Controller, TurnsCountAtTheirEndsRestInLineAndBringTheCameraHome) {
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
    c.cameraZoom = -1.0f;
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
    EXPECT_EQ(c.cameraZoom, 0.0f);
  }
}

TEST_F(Controller, CameraTravelsEndAtTheirStopsWithZoomAndHeightTogether) {
  // A best view, maybe followed after some steps by a return; or a return
  // planned at zoom 0 (no steps of its own, or stale ones) that up presses
  // before the next step plan again from the new zoom.
  const struct {
    const char* travel;
    int bestView, stepsBefore;  // the best view asked for, idle steps before the return; -1: none
    float height, staleHeightStep;
    int presses, steps;  // up presses; idle steps until the travel ends (the last only ends it)
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

// A request as the user makes it: keys 1 to 4, or '<' and '>' for the arrows.
void press(char request) {
  if (request != '<' && request != '>') return keyPressed(static_cast<unsigned char>(request), 0, 0);
  specialKeyPressed(request == '<' ? specialKeyLeft : specialKeyRight, 0, 0);
}

// Presses the requests with the idle steps given after each but the last,
// then idles until stage and camera rest; false if they never do.
bool pressAndSettle(std::initializer_list<std::pair<char, int>> requests) {
  sceneController = SceneController{};
  sceneController.introActive = 0;
  for (const auto& [request, gap] : requests) {
    press(request);
    idle(gap);
  }
  const SceneController& c = sceneController;
  for (int step = 0; step < 400; ++step, idleUpdate()) {
    if (!c.turningBack && !c.turningForward && !c.turnDouble && c.pendingSelection < 0 &&
        c.travelMode == travelNone) {
      return true;
    }
  }
  return false;
}

// Each request made with wind in front at rest: the scene it brings to the
// front, and the idle steps its turn runs.
const struct {
  char request;
  int front, turnSteps;
} firstRequests[] = {{'1', windScene, 0},  {'2', earthScene, 16}, {'3', fireScene, 16},
                     {'4', waterScene, 31}, {'<', fireScene, 16},  {'>', earthScene, 16}};

TEST_F(Controller, TheStageComesToRestInLineWithTheSceneAskedForLast) {
  // Every pair of requests, with every spacing up to a whole half turn: the
  // stage rests in line, and the scene in front is the one selected last, or
  // the one an arrow turned to (an arrow against a running turn is ignored).
  for (const auto& first : firstRequests) {
    for (const auto& second : firstRequests) {
      for (int gap = 0; gap <= 32; ++gap) {
        SCOPED_TRACE(testing::Message() << "'" << first.request << "', " << gap << " idle steps, '"
                                        << second.request << "'");
        ASSERT_TRUE(pressAndSettle({{first.request, gap}, {second.request, 0}}));
        const char r = second.request;
        const int slot = slotOfScene(first.front) + (r == '>') - (r == '<');
        const bool arrowIgnored = (r == '<' || r == '>') && gap < first.turnSteps;
        EXPECT_EQ(c.carouselAngle, 90 * c.carouselCount);
        EXPECT_EQ(frontScene(),
                  arrowIgnored ? first.front : r == '<' || r == '>' ? sceneInSlot(slot) : r - '1');
      }
    }
  }
  // Triples ending in a selection, spaced across both turns' ends: the last
  // selection always arrives, whatever waited before it.
  const int gaps[] = {0, 1, 14, 15, 16, 29, 30, 31, 32};
  for (const auto& first : firstRequests) {
    for (const auto& second : firstRequests) {
      for (const char third : {'1', '2', '3', '4'}) {
        for (const int gap1 : gaps) {
          for (const int gap2 : gaps) {
            SCOPED_TRACE(testing::Message() << "'" << first.request << "', " << gap1 << ", '"
                                            << second.request << "', " << gap2 << ", '" << third
                                            << "'");
            ASSERT_TRUE(pressAndSettle({{first.request, gap1}, {second.request, gap2}, {third, 0}}));
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
  EXPECT_EQ(redisplays, 1000) << "every idle step asks for a frame";
  for (size_t m = 0; m < std::size(motions); ++m) {
    EXPECT_NEAR(lowest[m], motions[m].low, motions[m].slack) << motions[m].motion;
    EXPECT_NEAR(highest[m], motions[m].high, motions[m].slack) << motions[m].motion;
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

}  // namespace
