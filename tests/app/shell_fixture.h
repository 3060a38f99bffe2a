// Shell tests' set-up: a fresh controller record and counting stand-ins for
// the window calls, restored after each test.
#pragma once
#include <gtest/gtest.h>

#include "app/controller.h"
#include "app/scene_controller.h"
#include "app/window.h"

inline void idle(int steps) {
  for (int i = 0; i < steps; ++i) idleUpdate();
}

class ShellTest : public testing::Test {
 protected:
  static inline int redisplays = 0, swaps = 0;

  void SetUp() override {
    saved_ = windowCalls;
    windowCalls.postRedisplay = [] { ++redisplays; };
    windowCalls.setTitle = [](const char*) {};
    windowCalls.swapBuffers = [] { ++swaps; };
    redisplays = swaps = 0;
    sceneController = SceneController{};
    sceneController.introActive = 0;
  }
  void TearDown() override { windowCalls = saved_; }

  SceneController& c = sceneController;

 private:
  WindowCalls saved_{};
};
