// The intro's timeline: piece releases every 20 updates, the stop at 8.0,
// the pause in the last update and the end after 158 updates.
#include <gtest/gtest.h>

#include <vector>

#include "app/controller.h"
#include "app/scene_controller.h"
#include "app/window.h"
#include "platform/clock.h"
#include "scenes/intro/intro.h"

namespace {

// Every pause asked for, with the update it came in.
struct Pause {
  int update;
  uint32_t milliseconds;
};
std::vector<Pause> pauses;
int currentUpdate = 0;

void recordPause(uint32_t milliseconds) { pauses.push_back({currentUpdate, milliseconds}); }

class IntroTimeline : public testing::Test {
 protected:
  void SetUp() override {
    introState = IntroState{};
    pauses.clear();
    currentUpdate = 0;
    savedSleep_ = replaceSleepFunction(recordPause);
  }
  void TearDown() override { replaceSleepFunction(savedSleep_); }

  // Runs one update, numbered from 1, and returns its result.
  static int update() {
    ++currentUpdate;
    return intro.updateIntro();
  }

 private:
  SleepFunction savedSleep_ = nullptr;
};

TEST_F(IntroTimeline, EndsAfter158UpdatesWithOnePauseOf1500Milliseconds) {
  for (int n = 1; n <= 157; ++n) {
    ASSERT_EQ(update(), 1) << "update " << n;
  }
  EXPECT_TRUE(pauses.empty());
  EXPECT_EQ(introState.introPieces[5].z, 7.0f) << "the frame held on screen shows the last piece at 7";
  EXPECT_EQ(update(), 0);
  ASSERT_EQ(pauses.size(), 1u);
  EXPECT_EQ(pauses[0].update, 158);
  EXPECT_EQ(pauses[0].milliseconds, 1500u);
  for (const IntroPiece& piece : introState.introPieces) EXPECT_EQ(piece.z, 8.0f);
}

TEST_F(IntroTimeline, PiecePIsReleasedAndStepsFirstInUpdate20pPlus1) {
  for (int n = 1; n <= 158; ++n) {
    update();
    for (int p = 0; p < introPieceCount; ++p) {
      const IntroPiece& piece = introState.introPieces[p];
      const int releaseUpdate = 20 * p + 1;
      SCOPED_TRACE(testing::Message() << "update " << n << " piece " << p);
      if (n < releaseUpdate) {
        ASSERT_EQ(piece.moving, 0);
        ASSERT_EQ(piece.z, -50.0f);
      } else {
        ASSERT_EQ(piece.moving, 1);
        const int steps = n - releaseUpdate + 1;
        ASSERT_EQ(piece.z, steps < 58 ? -50.0f + steps : 8.0f) << "waits at 8.0";
      }
    }
  }
}

TEST_F(IntroTimeline, TheIdleStepStoresTheResultInTheController) {
  const WindowCalls saved = windowCalls;
  windowCalls.postRedisplay = [] {};
  sceneController = SceneController{};
  for (int n = 1; n <= 157; ++n) {
    idleUpdate();
    ASSERT_EQ(sceneController.introActive, 1) << "idle step " << n;
  }
  idleUpdate();
  EXPECT_EQ(sceneController.introActive, 0);
  EXPECT_EQ(pauses.size(), 1u);
  idleUpdate();
  EXPECT_EQ(pauses.size(), 1u) << "the intro is not updated once it has ended";
  windowCalls = saved;
}

}  // namespace
