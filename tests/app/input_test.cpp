// Every key and right-button menu entry, through the callbacks GLUT calls, on
// a stage at rest: it must leave the records (controller, fire, ripple grid)
// as its intended action does, changed; inputs with no action leave them be.
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
  Action action = none;
  int front = windScene;  // the scene in front when it comes
};

const Binding bindings[] = {
    {"key 1", key, '1', selectWind, earthScene}, {"key 1, wind in front", key, '1'},
    {"key 2", key, '2', selectEarth},            {"key 3", key, '3', selectFire},
    {"key 4", key, '4', selectWater},            {"key 5", key, '5'},
    {"key +", key, '+', moveUp},                 {"key -", key, '-', moveDown},
    {"key c", key, 'c', explode},                {"key C", key, 'C'},
    {"key r", key, 'r', resetFire},              {"key d", key, 'd', drop},
    {"Escape", key, escapeKey, quits},           {"key q", key, 'q'},
    {"left arrow", special, specialKeyLeft, backTurn},
    {"right arrow", special, specialKeyRight, forwardTurn},
    {"up arrow", special, specialKeyUp, zoomIn},
    {"down arrow", special, specialKeyDown, zoomOut},
    {"special key 999", special, 999},
    {"Select Wind (1)", mainMenu, menuSelectWind, selectWind, fireScene},
    {"Select Earth (2)", mainMenu, menuSelectEarth, selectEarth},
    {"Select Fire (3)", mainMenu, menuSelectFire, selectFire},
    {"Select Water (4)", mainMenu, menuSelectWater, selectWater},
    {"Zoom In", mainMenu, menuZoomIn, zoomIn},   {"Zoom Out", mainMenu, menuZoomOut, zoomOut},
    {"Move Up", mainMenu, menuMoveUp, moveUp},   {"Move Down", mainMenu, menuMoveDown, moveDown},
    {"Reset Zoom", mainMenu, menuResetZoom, returnHome},
    {"QUIT", mainMenu, menuQuit, quits},
    {"Wind: Leaves On/Off", windMenu, windLeaves, leaves},
    {"Wind: Branches On/Off", windMenu, windBranches, branches},
    {"Wind: Best Zoom", windMenu, windBestZoom, bestView},
    {"Earth: Water On/Off", earthMenu, earthWater, ocean},
    {"Earth: Best Zoom", earthMenu, earthBestZoom, bestView, earthScene},
    {"Earth: Best Zoom, wind in front", earthMenu, earthBestZoom},
    {"Fire: Explode", fireMenu, fireExplode, explode},
    {"Fire: Reset", fireMenu, fireReset, resetFire},
    {"Fire: Best Zoom", fireMenu, fireBestZoom, bestView, fireScene},
    {"Fire: Best Zoom, wind in front", fireMenu, fireBestZoom},
    {"Water: Draw Birds On/Off", waterMenu, waterBirds, birds},
    {"Water: Make Drop", waterMenu, waterDrop, drop},
    {"Water: Best Zoom", waterMenu, waterBestZoom, bestView, waterScene},
    {"Water: Best Zoom, wind in front", waterMenu, waterBestZoom},
    {"main menu value 0", mainMenu, 0},          {"main menu value 11", mainMenu, 11},
    {"earth menu value 3", earthMenu, 3},        {"fire menu value 4", fireMenu, 4},
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
