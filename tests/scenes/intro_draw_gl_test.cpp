// The intro drawn in a real GL context: only released pieces appear, each
// with its two letters, nearer the viewer as it flies in.
#include <GL/gl.h>
#include <GL/glu.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "app/window.h"
#include "assets/models.h"
#include "platform/clock.h"
#include "scenes/intro/intro.h"
#include "tests/scenes/fire_feedback.h"
#include "tests/support/gl_probe.h"

namespace {

void skipPause(uint32_t) {}

// Letters of each piece, as meshes of the lettering model.
const int pieceMeshes[introPieceCount][2] = {{1, 3}, {2, 4}, {5, 6}, {8, 9}, {10, 12}, {11, 7}};

int triangles(int piece) {
  return introModel.mesh(pieceMeshes[piece][0]).triangleCount() +
         introModel.mesh(pieceMeshes[piece][1]).triangleCount();
}

class IntroDraw : public testing::Test {
 protected:
  void SetUp() override {
    for (IntroPiece& piece : introPieces) piece = IntroPiece{-50.0f, 0};
    introPieces[0].moving = 1;
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

TEST_F(IntroDraw, OnlyReleasedPiecesAreDrawn) {
  // Around each release: the update before it and the update that makes it.
  const int checks[] = {1, 20, 21, 40, 41, 60, 61, 80, 81, 100, 101, 157};
  int n = 0;
  for (const int check : checks) {
    while (n < check) {
      intro.updateIntro();
      ++n;
    }
    const int released = std::min(introPieceCount, (n - 1) / 20 + 1);
    int expected = 0;
    for (int p = 0; p < released; ++p) expected += triangles(p);
    EXPECT_EQ(drawnTriangles(), expected) << "after update " << n;
  }
  EXPECT_GT(triangles(0), 0);
}

TEST_F(IntroDraw, APieceComesNearerAsItFliesIn) {
  // Mean window depth of piece 1's triangles: smaller is nearer.
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
