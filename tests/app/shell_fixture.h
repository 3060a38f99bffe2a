// Shared set-up for shell tests: a fresh controller record and counting
// stand-ins for the window calls, restored after each test.
#pragma once
#include <gtest/gtest.h>

#include "app/controller.h"
#include "app/scene_controller.h"
#include "app/window.h"

class ShellTest : public testing::Test {
 protected:
  static inline int redisplays = 0;
  static inline int swaps = 0;
  static inline std::string lastTitle;

  void SetUp() override {
    saved_ = windowCalls;
    windowCalls.postRedisplay = [] { ++redisplays; };
    windowCalls.setTitle = [](const char* title) { lastTitle = title; };
    windowCalls.swapBuffers = [] { ++swaps; };
    redisplays = 0;
    swaps = 0;
    lastTitle.clear();
    sceneController = SceneController{};
    sceneController.introActive = 0;
  }
  void TearDown() override { windowCalls = saved_; }

  // Runs n idle steps.
  static void idle(int n) {
    for (int i = 0; i < n; ++i) idleUpdate();
  }

  SceneController& c = sceneController;

 private:
  WindowCalls saved_{};
};
