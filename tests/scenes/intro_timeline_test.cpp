// The intro's timeline through the idle step: piece p leaves in update 20 p + 1
// and flies one unit a frame from -50 to 8; the last update pauses 1500 ms and
// ends the intro in the controller.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "app/controller.h"
#include "app/scene_controller.h"
#include "app/window.h"
#include "platform/clock.h"
#include "scenes/intro/intro.h"

namespace {

std::vector<uint32_t> pauses;

TEST(IntroTimeline, PiecesLeaveEvery20UpdatesAndTheIdleStepEndsTheIntroAfter158WithOnePause) {
  introState = IntroState{};
  sceneController = SceneController{};
  const WindowCalls savedCalls = windowCalls;
  windowCalls.postRedisplay = [] {};
  const SleepFunction savedSleep = replaceSleepFunction([](uint32_t milliseconds) { pauses.push_back(milliseconds); });
  for (int n = 1; n <= 160; ++n) {
    SCOPED_TRACE(testing::Message() << "update " << n);
    idleUpdate();
    ASSERT_EQ(sceneController.introActive, n < 158 ? 1 : 0);
    ASSERT_EQ(pauses.size(), n < 158 ? 0u : 1u) << "one pause, and no update once the intro has ended";
    for (int p = 0; p < introPieceCount; ++p) {
      const IntroPiece& piece = introState.introPieces[p];
      const int steps = std::min(n, 158) - 20 * p;  // updates since (and including) its release
      ASSERT_EQ(piece.moving, steps >= 1 ? 1 : 0) << "piece " << p;
      ASSERT_EQ(piece.z, steps < 1 ? -50.0f : std::min(-50.0f + steps, 8.0f)) << "piece " << p;
    }
  }
  EXPECT_EQ(pauses[0], 1500u);
  replaceSleepFunction(savedSleep);
  windowCalls = savedCalls;
}

}  // namespace
