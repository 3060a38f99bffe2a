// Shared set-up for GL tests of the stage and the scenes: the program's own
// start-up (textures, lists) once per test program, a fresh controller record
// per test, and an orthographic box of side 2 L about the origin, so feedback
// mode reports every polygon and its window coordinates map straight back to
// the coordinates the draw was given.
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
