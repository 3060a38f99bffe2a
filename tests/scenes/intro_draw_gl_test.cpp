// The intro drawn in a real GL context: only released pieces appear, the
// whole lettering once every piece is out, nearer the viewer as it flies in.
#include <GL/gl.h>
#include <GL/glu.h>

#include <gtest/gtest.h>

#include <vector>

#include "app/window.h"
#include "assets/models.h"
#include "platform/clock.h"
#include "scenes/intro/intro.h"
#include "tests/scenes/fire_feedback.h"
#include "tests/support/gl_probe.h"

namespace {

void skipPause(uint32_t) {}

// Triangles of the whole lettering: every mesh of the model once.
int letteringTriangles() {
  int sum = 0;
  for (int m = 0; m < introModel.meshCount; ++m) sum += introModel.meshes[m].triangleCount();
  return sum;
}

class IntroDraw : public testing::Test {
 protected:
  void SetUp() override {
    introState = IntroState{};
    saved_ = replaceSleepFunction(skipPause);
    // The frame's camera: 45 degrees, 36 units back.
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(45.0, double(windowWidth) / windowHeight, 0.1, 1000.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glTranslatef(0.0f, 0.0f, -36.0f);
  }
  void TearDown() override {
    if (saved_) replaceSleepFunction(saved_);
  }

  static int drawnTriangles() {
    return countKind(captureFeedback([] { intro.drawIntro(); }), FeedbackItem::polygon);
  }

 private:
  SleepFunction saved_ = nullptr;
};

TEST_F(IntroDraw, OnlyReleasedPiecesAreDrawnAndTheLastShowsEveryLetterOnce) {
  // Around each release: the update before it and the update that makes it
  // (update 20 p + 1 releases piece p; piece 0 moves from the start).
  const int checks[] = {1, 20, 21, 40, 41, 60, 61, 80, 81, 100, 101, 157};
  int n = 0;
  int previous = 0;
  for (const int check : checks) {
    while (n < check) {
      intro.updateIntro();
      ++n;
    }
    const int drawn = drawnTriangles();
    if ((n - 1) % 20 == 0 && n <= 101) {
      EXPECT_GT(drawn, previous) << "the piece released in update " << n << " appears";
    } else {
      EXPECT_EQ(drawn, previous) << "no piece released in update " << n;
    }
    previous = drawn;
  }
  EXPECT_EQ(previous, letteringTriangles());
}

TEST_F(IntroDraw, APieceComesNearerAsItFliesIn) {
  // Mean window depth of piece 0's triangles: smaller is nearer.
  auto meanDepth = [] {
    double sum = 0.0;
    int count = 0;
    for (const FeedbackItem& item : captureFeedback([] { intro.drawIntro(); })) {
      for (size_t v = 2; v < item.xyz.size(); v += 3, ++count) sum += item.xyz[v];
    }
    return sum / count;
  };
  intro.updateIntro();
  const double early = meanDepth();
  for (int n = 0; n < 10; ++n) intro.updateIntro();
  EXPECT_LT(meanDepth(), early);
  EXPECT_TRUE(pendingGlErrors().empty());
}

}  // namespace
