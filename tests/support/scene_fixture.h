// GL tests of the stage and scenes: the program's start-up once, a fresh
// controller per test, and an orthographic box of side 2 L about the origin, so
// feedback window coordinates map straight back to the draw's coordinates.
#pragma once
#include <GL/gl.h>
#include <gtest/gtest.h>

#include "app/scene_controller.h"
#include "app/startup.h"
#include "app/window.h"

class SceneGlTest : public testing::Test {
 public:
  static constexpr double viewHalfSize = 100.0;  // L

 protected:
  static void SetUpTestSuite() {
    static const bool started = (initGraphics(windowWidth, windowHeight), true);
    (void)started;
  }

  void SetUp() override {
    sceneController = SceneController{};
    sceneController.introActive = 0;
    glViewport(0, 0, windowWidth, windowHeight);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-viewHalfSize, viewHalfSize, -viewHalfSize, viewHalfSize, -viewHalfSize, viewHalfSize);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
  }
};
