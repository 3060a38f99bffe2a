// Every key and every right-button menu entry against the action it must
// trigger, through the callbacks GLUT calls: each input is delivered to a
// stage at rest, and the records it leaves (controller, fire, ripple grid)
// must be those the intended request leaves, and differ from where they
// started; inputs with no action must leave them untouched.
#include <cstdlib>
#include <cstring>

#include "app/input.h"
#include "scenes/fire/fire_effect.h"
#include "scenes/fire/fire_state.h"
#include "scenes/water/ripple_surface.h"
#include "tests/app/shell_fixture.h"

namespace {

using Input = ShellTest;

constexpr unsigned char escapeKey = 27;

// What input can change, compared whole.
struct Records {
  SceneController controller;
  int exploding, burstFramesLeft;
  float fireDistance;
  std::vector<Vec3d> grid;

  bool operator==(const Records& o) const {
    return std::memcmp(&controller, &o.controller, sizeof controller) == 0 &&
           exploding == o.exploding && burstFramesLeft == o.burstFramesLeft &&
           fireDistance == o.fireDistance &&
           std::memcmp(grid.data(), o.grid.data(), grid.size() * sizeof(Vec3d)) == 0;
  }
};

Records records() {
  const Vec3d* points = &rippleState.gridPoints[0][0];
  return {sceneController, fireState.exploding, fireState.burstFramesLeft, fireState.fireDistance,
          std::vector<Vec3d>(points, points + rippleStorageSize * rippleStorageSize)};
}

// A stage at rest with front in front, zoomed in a little, the fireballs
// part-way in, a flat pool, and the same random stream every time.
void startWith(int front) {
  sceneController = SceneController{};
  sceneController.introActive = 0;
  sceneController.carouselCount = slotOfScene(front);
  sceneController.selectedScene = front;
  sceneController.cameraZoom = -1.0f;
  sceneController.cameraHeight = 0.6f;
  fireEffect.reset();
  fireState.exploding = 0;
  fireState.fireDistance = 100.0f;
  rippleSurface.initGrid();
  std::srand(7);
}

// Where an input arrives: the GLUT callback it goes through.
enum Via { key, special, mainMenu, windMenu, earthMenu, fireMenu, waterMenu };
void deliver(Via via, int value) {
  void (*const menus[])(int) = {mainMenuSelected, windMenuSelected, earthMenuSelected,
                                fireMenuSelected, waterMenuSelected};
  if (via == key) keyPressed(static_cast<unsigned char>(value), 0, 0);
  else if (via == special) specialKeyPressed(value, 0, 0);
  else menus[via - mainMenu](value);
}

// What an input must do, each through the request or record change it stands for.
enum Action { none, quits, selectWind, selectEarth, selectFire, selectWater, backTurn, forwardTurn,
              zoomIn, zoomOut, moveUp, moveDown, returnHome, explode, resetFire, drop, leaves,
              branches, ocean, birds, bestView };
void perform(Action action) {
  SceneController& c = sceneController;
  switch (action) {
    case selectWind: case selectEarth: case selectFire: case selectWater:
      return requestSelection(action - selectWind);
    case backTurn: return requestBackTurn();
    case forwardTurn: return requestForwardTurn();
    case zoomIn: c.cameraZoom -= 0.25f; return;
    case zoomOut: c.cameraZoom += 0.25f; return;
    case moveUp: c.cameraHeight = static_cast<float>(c.cameraHeight - 0.2); return;
    case moveDown: c.cameraHeight = static_cast<float>(c.cameraHeight + 0.2); return;
    case returnHome: return requestReturn();
    case explode: return fireEffect.explode();
    case resetFire: return fireEffect.reset();
    case drop: return rippleSurface.makeDrop();
    case leaves: c.showLeaves = !c.showLeaves; return;
    case branches: c.showBranches = !c.showBranches; return;
    case ocean: c.showOcean = !c.showOcean; return;
    case birds: c.showBirds = !c.showBirds; return;
    case bestView: return requestBestView(c.selectedScene);
    default: return;
  }
}

struct Binding {
  const char* input;
  Via via;
  int value;
  int front = windScene;  // the scene in front when it comes
  Action action = none;
};

const Binding bindings[] = {
    {"key 1", key, '1', earthScene, selectWind},
    {"key 2", key, '2', windScene, selectEarth},
    {"key 3", key, '3', windScene, selectFire},
    {"key 4", key, '4', windScene, selectWater},
    {"key 1, wind in front", key, '1', windScene, none},
    {"key +", key, '+', windScene, moveUp},
    {"key -", key, '-', windScene, moveDown},
    {"key c", key, 'c', windScene, explode},
    {"key r", key, 'r', windScene, resetFire},
    {"key d", key, 'd', windScene, drop},
    {"Escape", key, escapeKey, windScene, quits},
    {"key C", key, 'C', windScene, none},
    {"key q", key, 'q', windScene, none},
    {"key 5", key, '5', windScene, none},
    {"left arrow", special, specialKeyLeft, windScene, backTurn},
    {"right arrow", special, specialKeyRight, windScene, forwardTurn},
    {"up arrow", special, specialKeyUp, windScene, zoomIn},
    {"down arrow", special, specialKeyDown, windScene, zoomOut},
    {"special key 999", special, 999, windScene, none},
    {"Select Wind (1)", mainMenu, menuSelectWind, fireScene, selectWind},
    {"Select Earth (2)", mainMenu, menuSelectEarth, windScene, selectEarth},
    {"Select Fire (3)", mainMenu, menuSelectFire, windScene, selectFire},
    {"Select Water (4)", mainMenu, menuSelectWater, windScene, selectWater},
    {"Zoom In", mainMenu, menuZoomIn, windScene, zoomIn},
    {"Zoom Out", mainMenu, menuZoomOut, windScene, zoomOut},
    {"Move Up", mainMenu, menuMoveUp, windScene, moveUp},
    {"Move Down", mainMenu, menuMoveDown, windScene, moveDown},
    {"Reset Zoom", mainMenu, menuResetZoom, windScene, returnHome},
    {"QUIT", mainMenu, menuQuit, windScene, quits},
    {"Wind: Leaves On/Off", windMenu, windLeaves, windScene, leaves},
    {"Wind: Branches On/Off", windMenu, windBranches, windScene, branches},
    {"Wind: Best Zoom", windMenu, windBestZoom, windScene, bestView},
    {"Earth: Water On/Off", earthMenu, earthWater, windScene, ocean},
    {"Earth: Best Zoom", earthMenu, earthBestZoom, earthScene, bestView},
    {"Earth: Best Zoom, wind in front", earthMenu, earthBestZoom, windScene, none},
    {"Fire: Explode", fireMenu, fireExplode, windScene, explode},
    {"Fire: Reset", fireMenu, fireReset, windScene, resetFire},
    {"Fire: Best Zoom", fireMenu, fireBestZoom, fireScene, bestView},
    {"Fire: Best Zoom, wind in front", fireMenu, fireBestZoom, windScene, none},
    {"Water: Draw Birds On/Off", waterMenu, waterBirds, windScene, birds},
    {"Water: Make Drop", waterMenu, waterDrop, windScene, drop},
    {"Water: Best Zoom", waterMenu, waterBestZoom, waterScene, bestView},
    {"Water: Best Zoom, wind in front", waterMenu, waterBestZoom, windScene, none},
    {"main menu value 0", mainMenu, 0, windScene, none},
    {"main menu value 11", mainMenu, 11, windScene, none},
    {"earth menu value 3", earthMenu, 3, windScene, none},
    {"fire menu value 4", fireMenu, 4, windScene, none},
};

TEST_F(Input, EveryKeyAndMenuEntryTriggersItsOwnAction) {
  for (const Binding& b : bindings) {
    SCOPED_TRACE(b.input);
    startWith(b.front);
    if (b.action == quits) {
      EXPECT_EXIT(deliver(b.via, b.value), testing::ExitedWithCode(0), "");
      continue;
    }
    const Records start = records();
    deliver(b.via, b.value);
    const Records delivered = records();
    startWith(b.front);
    perform(b.action);
    EXPECT_TRUE(delivered == records()) << "not what its action does";
    EXPECT_EQ(delivered == start, b.action == none) << "changed nothing, or something";
  }
}

TEST_F(Input, HeightAndZoomKeysStopAtTheirLimitsButTheMenuMovesDoNot) {
  const struct {
    Binding input;
    int presses;  // from 0
    float reached;
    bool limit;  // one press more changes nothing
  } limits[] = {{{"key +", key, '+'}, 20, -4.0f, true},  // a float sum of 0.2 steps: just past 4
                {{"key -", key, '-'}, 20, 4.0f, true},
                {{"up arrow", special, specialKeyUp}, 88, -22.0f, true},
                {{"down arrow", special, specialKeyDown}, 0, 0.0f, true},
                {{"Move Up", mainMenu, menuMoveUp}, 21, -4.2f, false},
                {{"Move Down", mainMenu, menuMoveDown}, 21, 4.2f, false}};
  for (const auto& t : limits) {
    SCOPED_TRACE(t.input.input);
    c = SceneController{};
    const float& value = t.input.via == special ? c.cameraZoom : c.cameraHeight;
    for (int i = 0; i < t.presses; ++i) deliver(t.input.via, t.input.value);
    EXPECT_NEAR(value, t.reached, 1e-4f);
    const float reached = value;
    deliver(t.input.via, t.input.value);
    EXPECT_EQ(value == reached, t.limit);
  }
}

}  // namespace
