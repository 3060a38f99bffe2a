// The intro's timeline: piece p leaves in update 20 p + 1 and flies one unit
// a frame from -50 to 8; the last update pauses 1500 ms and ends the intro.
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
void recordPause(uint32_t milliseconds) { pauses.push_back(milliseconds); }

class IntroTimeline : public testing::Test {
 protected:
  void SetUp() override {
    introState = IntroState{};
    pauses.clear();
    savedSleep_ = replaceSleepFunction(recordPause);
  }
  void TearDown() override { replaceSleepFunction(savedSleep_); }

 private:
  SleepFunction savedSleep_ = nullptr;
};

TEST_F(IntroTimeline, PiecesLeaveEvery20UpdatesAndTheIntroEndsAfter158WithOnePause) {
  for (int n = 1; n <= 158; ++n) {
    SCOPED_TRACE(testing::Message() << "update " << n);
    ASSERT_EQ(intro.updateIntro(), n < 158 ? 1 : 0);
    ASSERT_EQ(pauses.size(), n < 158 ? 0u : 1u);
    for (int p = 0; p < introPieceCount; ++p) {
      const IntroPiece& piece = introState.introPieces[p];
      const int steps = n - 20 * p;  // updates since (and including) its release
      ASSERT_EQ(piece.moving, steps >= 1 ? 1 : 0) << "piece " << p;
      ASSERT_EQ(piece.z, steps < 1 ? -50.0f : std::min(-50.0f + steps, 8.0f)) << "piece " << p;
    }
  }
  EXPECT_EQ(pauses[0], 1500u);
}

TEST_F(IntroTimeline, TheIdleStepEndsTheIntroInTheControllerAndUpdatesItNoMore) {
  const WindowCalls saved = windowCalls;
  windowCalls.postRedisplay = [] {};
  sceneController = SceneController{};
  for (int n = 1; n <= 157; ++n) {
    idleUpdate();
    ASSERT_EQ(sceneController.introActive, 1) << "idle step " << n;
  }
  idleUpdate();
  idleUpdate();
  EXPECT_EQ(sceneController.introActive, 0);
  EXPECT_EQ(pauses.size(), 1u) << "the intro is not updated once it has ended";
  windowCalls = saved;
}

}  // namespace
