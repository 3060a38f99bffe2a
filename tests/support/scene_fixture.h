// Shared set-up for GL tests of the stage and the scenes: the program's own
// start-up (textures, lists) once per test program, a fresh controller record
// per test, and an orthographic view in which whole scenes fit, so feedback
// mode reports every polygon.
#pragma once
#include <GL/gl.h>
#include <gtest/gtest.h>

#include "app/scene_controller.h"
#include "app/startup.h"
#include "app/window.h"

class SceneGlTest : public testing::Test {
 protected:
  // Half the width of the orthographic view box, in stage units.
  static constexpr double viewHalfSize = 40.0;

  static void SetUpTestSuite() {
    if (!started_) initGraphics(windowWidth, windowHeight);
    started_ = true;
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

 private:
  static inline bool started_ = false;
};
