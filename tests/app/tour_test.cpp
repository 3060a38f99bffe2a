// The tour, frame by frame: one round shows every scene from its best view
// with its effects and restores the options; any input ends it where it stands.
#include <set>

#include "app/frame.h"
#include "app/tour.h"
#include "scenes/fire/fire_state.h"
#include "tests/app/shell_fixture.h"

namespace {

using Tour = ShellTest;

// A frame less the drawing: the idle step, then the display's selection.
void runFrame() {
  idleUpdate();
  sceneController.selectedScene = frontScene();
}

TEST_F(Tour, WaitsForTheIntroThenOneRoundShowsEveryScenesBestViewAndEffects) {
  c.introActive = 1;
  startTour();
  for (int frame = 0; frame < 500; ++frame) advanceTour();
  ASSERT_EQ(tourState.step, 0) << "the tour went on during the intro";
  c.introActive = 0;
  // Up to the next round's first action (wind to the front), and its turn.
  const int round = tourFramesUntil(tourStepCount) + 40;
  std::set<int> bestViews;
  bool leavesOff = false, branchesOff = false, oceanOff = false, burst = false;
  for (int frame = 0; frame < round; ++frame) {
    runFrame();
    const float stops[] = {-12.5f, -16.0f, -11.0f, -17.0f};  // the best views' zooms
    if (c.cameraZoom == stops[frontScene()]) bestViews.insert(frontScene());
    leavesOff |= !c.showLeaves;
    branchesOff |= !c.showBranches;
    oceanOff |= !c.showOcean;
    burst |= fireState.burstFramesLeft > 0;
  }
  EXPECT_EQ(bestViews, (std::set<int>{windScene, earthScene, fireScene, waterScene}));
  EXPECT_TRUE(leavesOff && branchesOff && oceanOff && burst);
  EXPECT_EQ(c.showLeaves + c.showBranches + c.showOcean + c.showBirds, 4);
  EXPECT_EQ(frontScene(), windScene) << "the round ends back at the start";
  EXPECT_EQ(c.cameraZoom, 0.0f);
  EXPECT_EQ(c.carouselAngle, 90 * c.carouselCount) << "the stage rests in line";
}

TEST_F(Tour, AnyKeyButtonOrTheMenuEndsItWhereItStands) {
  const struct { const char* input; void (*deliver)(); bool ends; } inputs[] = {
      {"a key", [] { keyEndingTour('x', 0, 0); }, true},
      {"an arrow", [] { specialKeyEndingTour(specialKeyDown, 0, 0); }, true},
      {"a button pressed", [] { buttonEndingTour(0, mouseButtonDown, 0, 0); }, true},
      {"the menu opened", [] { menuEndingTour(menuInUse, 0, 0); }, true},
      {"a button released", [] { buttonEndingTour(0, !mouseButtonDown, 0, 0); }, false},
      {"the menu closed", [] { menuEndingTour(!menuInUse, 0, 0); }, false},
  };
  for (const auto& t : inputs) {
    SCOPED_TRACE(t.input);
    c = SceneController{};
    c.introActive = 0;
    startTour();
    for (int frame = 0; frame < tourFramesUntil(7); ++frame) runFrame();
    ASSERT_EQ(tourState.step, 8) << "earth was asked for";
    t.deliver();
    EXPECT_EQ(tourState.active == 0, t.ends);
    if (!t.ends) continue;
    const SceneController before = c;
    for (int frame = 0; frame < tourFramesUntil(tourStepCount - 1); ++frame) runFrame();
    EXPECT_EQ(frontScene(), earthScene);
    EXPECT_EQ(c.cameraZoom, before.cameraZoom);
    EXPECT_EQ(c.showOcean, 1);
  }
}

}  // namespace
