// Keys and menus: what each one changes, that the main menu's entries do
// exactly what their keys do, and that everything else is ignored.
#include <cstring>

#include "app/input.h"
#include "tests/app/shell_fixture.h"

namespace {

using Input = ShellTest;

// The controller fields input can change, compared as raw bytes.
bool sameRecord(const SceneController& a, const SceneController& b) {
  return std::memcmp(&a, &b, sizeof a) == 0;
}

TEST_F(Input, UnlistedKeysOnlyRequestARedisplay) {
  const SceneController before = c;
  for (unsigned char key : {'C', 'R', 'D', 'q', '5', '0', ' ', 'x'}) keyPressed(key, 3, 4);
  EXPECT_TRUE(sameRecord(before, c));
  EXPECT_EQ(redisplays, 8);
}

TEST_F(Input, SelectingTheFrontSceneChangesNothing) {
  const SceneController before = c;
  keyPressed('1', 0, 0);
  EXPECT_TRUE(sameRecord(before, c));
  EXPECT_EQ(redisplays, 1);
}

TEST_F(Input, NumberKeysSelectTheirScenes) {
  keyPressed('4', 0, 0);
  EXPECT_EQ(c.selectedScene, waterScene);
  EXPECT_EQ(c.turnDouble, 1);
  c = SceneController{};
  keyPressed('3', 0, 0);
  EXPECT_EQ(c.selectedScene, fireScene);
  EXPECT_EQ(c.turningBack, 1);
  c = SceneController{};
  keyPressed('2', 0, 0);
  EXPECT_EQ(c.selectedScene, earthScene);
  EXPECT_EQ(c.turningForward, 1);
}

TEST_F(Input, HeightKeysStopOneStepPastTheirLimits) {
  int presses = 0;
  for (; presses < 100; ++presses) {
    const float before = c.cameraHeight;
    keyPressed('+', 0, 0);
    if (c.cameraHeight == before) break;
  }
  EXPECT_EQ(presses, 20);
  EXPECT_LE(c.cameraHeight, -4.0f + 1e-4f);
  EXPECT_GT(c.cameraHeight, -4.2f - 1e-4f);
  // The step is a double sum stored as float, not a float step.
  float expected = 0.0f;
  for (int i = 0; i < presses; ++i) expected = static_cast<float>(expected - 0.2);
  EXPECT_EQ(c.cameraHeight, expected);

  // "Move Up" has no limit.
  mainMenuSelected(menuMoveUp);
  EXPECT_EQ(c.cameraHeight, static_cast<float>(expected - 0.2));
  for (int i = 0; i < 60; ++i) keyPressed('-', 0, 0);
  EXPECT_GE(c.cameraHeight, 4.0f - 1e-4f);
  EXPECT_LT(c.cameraHeight, 4.2f + 1e-4f);
  const float top = c.cameraHeight;
  mainMenuSelected(menuMoveDown);
  EXPECT_EQ(c.cameraHeight, static_cast<float>(top + 0.2));
}

TEST_F(Input, MainMenuEntriesDoWhatTheirKeysDo) {
  struct Pair {
    int value;
    void (*viaKey)();
  };
  const Pair pairs[] = {
      {menuSelectWind, [] { keyPressed('1', 0, 0); }},
      {menuSelectEarth, [] { keyPressed('2', 0, 0); }},
      {menuSelectFire, [] { keyPressed('3', 0, 0); }},
      {menuSelectWater, [] { keyPressed('4', 0, 0); }},
      {menuZoomIn, [] { specialKeyPressed(specialKeyUp, 0, 0); }},
      {menuZoomOut, [] { specialKeyPressed(specialKeyDown, 0, 0); }},
  };
  for (int front = 0; front < 4; ++front) {
    for (const Pair& pair : pairs) {
      SceneController start{};
      start.carouselCount = front;
      start.selectedScene = sceneInSlot(front);
      start.cameraZoom = -3.0f;
      start.cameraHeight = 0.6f;
      c = start;
      pair.viaKey();
      const SceneController byKey = c;
      c = start;
      mainMenuSelected(pair.value);
      EXPECT_TRUE(sameRecord(byKey, c)) << "menu value " << pair.value << " front " << front;
    }
  }
}

TEST_F(Input, ResetZoomStartsAReturnTravel) {
  c.cameraZoom = -5.0f;
  c.cameraHeight = 1.0f;
  c.travelMode = travelBestView;
  mainMenuSelected(menuResetZoom);
  EXPECT_EQ(c.travelMode, travelReturn);
  idle(20);
  EXPECT_EQ(c.cameraZoom, 0.0f);
  EXPECT_NEAR(c.cameraHeight, 0.0, 1e-6);
}

TEST_F(Input, SubmenuTogglesFlipTheirOwnFlagOnly) {
  windMenuSelected(windLeaves);
  EXPECT_EQ(c.showLeaves, 0);
  EXPECT_EQ(c.showBranches, 1);
  windMenuSelected(windBranches);
  windMenuSelected(windLeaves);
  EXPECT_EQ(c.showLeaves, 1);
  EXPECT_EQ(c.showBranches, 0);
  waterMenuSelected(waterBirds);
  EXPECT_EQ(c.showBirds, 0);
  earthMenuSelected(earthWater);
  EXPECT_EQ(c.showOcean, 0);
  earthMenuSelected(earthWater);
  EXPECT_EQ(c.showOcean, 1);
  EXPECT_EQ(redisplays, 0) << "menu callbacks leave the redisplay to the idle step";
}

TEST_F(Input, BestZoomEntriesWorkOnlyForTheSceneInFront) {
  fireMenuSelected(fireBestZoom);
  earthMenuSelected(earthBestZoom);
  waterMenuSelected(waterBestZoom);
  EXPECT_EQ(c.travelMode, travelNone);
  windMenuSelected(windBestZoom);
  EXPECT_EQ(c.travelMode, travelBestView);

  // Fire comes to the front after a back turn; then its best zoom works.
  c = SceneController{};
  keyPressed('3', 0, 0);
  idle(16);
  fireMenuSelected(fireBestZoom);
  idle(60);
  EXPECT_EQ(c.cameraZoom, -11.0f);
}

TEST_F(Input, UnknownMenuValuesDoNothing) {
  const SceneController before = c;
  for (int value : {0, 11, -1, 4000}) {
    mainMenuSelected(value);
    windMenuSelected(value);
    earthMenuSelected(value);
    fireMenuSelected(value);
    waterMenuSelected(value);
  }
  earthMenuSelected(3);
  EXPECT_TRUE(sameRecord(before, c));
}

}  // namespace
