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

void heightBy(double step) {
  sceneController.cameraHeight = static_cast<float>(sceneController.cameraHeight + step);
}
void flip(int& flag) { flag = !flag; }
void quits() {}  // marks the inputs that end the program with status 0

struct Binding {
  const char* input;
  int front;            // the scene in front when it comes
  void (*deliver)();    // through the callback GLUT calls
  void (*expected)();   // the action it must trigger; nullptr: none
};

const Binding bindings[] = {
    {"key 1", earthScene, [] { keyPressed('1', 0, 0); }, [] { requestSelection(windScene); }},
    {"key 2", windScene, [] { keyPressed('2', 0, 0); }, [] { requestSelection(earthScene); }},
    {"key 3", windScene, [] { keyPressed('3', 0, 0); }, [] { requestSelection(fireScene); }},
    {"key 4", windScene, [] { keyPressed('4', 0, 0); }, [] { requestSelection(waterScene); }},
    {"key 1, wind in front", windScene, [] { keyPressed('1', 0, 0); }, nullptr},
    {"key +", windScene, [] { keyPressed('+', 0, 0); }, [] { heightBy(-0.2); }},
    {"key -", windScene, [] { keyPressed('-', 0, 0); }, [] { heightBy(0.2); }},
    {"key c", windScene, [] { keyPressed('c', 0, 0); }, [] { fireEffect.explode(); }},
    {"key r", windScene, [] { keyPressed('r', 0, 0); }, [] { fireEffect.reset(); }},
    {"key d", windScene, [] { keyPressed('d', 0, 0); }, [] { rippleSurface.makeDrop(); }},
    {"Escape", windScene, [] { keyPressed(escapeKey, 0, 0); }, quits},
    {"unhandled keys", windScene,
     [] { for (unsigned char key : {'C', 'R', 'D', 'q', '5', '0', ' '}) keyPressed(key, 0, 0); },
     nullptr},
    {"left arrow", windScene, [] { specialKeyPressed(specialKeyLeft, 0, 0); }, requestBackTurn},
    {"right arrow", windScene, [] { specialKeyPressed(specialKeyRight, 0, 0); }, requestForwardTurn},
    {"up arrow", windScene, [] { specialKeyPressed(specialKeyUp, 0, 0); },
     [] { sceneController.cameraZoom -= 0.25f; }},
    {"down arrow", windScene, [] { specialKeyPressed(specialKeyDown, 0, 0); },
     [] { sceneController.cameraZoom += 0.25f; }},
    {"Select Wind (1)", fireScene, [] { mainMenuSelected(menuSelectWind); },
     [] { requestSelection(windScene); }},
    {"Select Earth (2)", windScene, [] { mainMenuSelected(menuSelectEarth); },
     [] { requestSelection(earthScene); }},
    {"Select Fire (3)", windScene, [] { mainMenuSelected(menuSelectFire); },
     [] { requestSelection(fireScene); }},
    {"Select Water (4)", windScene, [] { mainMenuSelected(menuSelectWater); },
     [] { requestSelection(waterScene); }},
    {"Zoom In", windScene, [] { mainMenuSelected(menuZoomIn); },
     [] { sceneController.cameraZoom -= 0.25f; }},
    {"Zoom Out", windScene, [] { mainMenuSelected(menuZoomOut); },
     [] { sceneController.cameraZoom += 0.25f; }},
    {"Move Up", windScene, [] { mainMenuSelected(menuMoveUp); }, [] { heightBy(-0.2); }},
    {"Move Down", windScene, [] { mainMenuSelected(menuMoveDown); }, [] { heightBy(0.2); }},
    {"Reset Zoom", windScene, [] { mainMenuSelected(menuResetZoom); }, requestReturn},
    {"QUIT", windScene, [] { mainMenuSelected(menuQuit); }, quits},
    {"Wind: Leaves On/Off", windScene, [] { windMenuSelected(windLeaves); },
     [] { flip(sceneController.showLeaves); }},
    {"Wind: Branches On/Off", windScene, [] { windMenuSelected(windBranches); },
     [] { flip(sceneController.showBranches); }},
    {"Wind: Best Zoom", windScene, [] { windMenuSelected(windBestZoom); },
     [] { requestBestView(windScene); }},
    {"Earth: Water On/Off", windScene, [] { earthMenuSelected(earthWater); },
     [] { flip(sceneController.showOcean); }},
    {"Earth: Best Zoom", earthScene, [] { earthMenuSelected(earthBestZoom); },
     [] { requestBestView(earthScene); }},
    {"Fire: Explode", windScene, [] { fireMenuSelected(fireExplode); }, [] { fireEffect.explode(); }},
    {"Fire: Reset", windScene, [] { fireMenuSelected(fireReset); }, [] { fireEffect.reset(); }},
    {"Fire: Best Zoom", fireScene, [] { fireMenuSelected(fireBestZoom); },
     [] { requestBestView(fireScene); }},
    {"Water: Draw Birds On/Off", windScene, [] { waterMenuSelected(waterBirds); },
     [] { flip(sceneController.showBirds); }},
    {"Water: Make Drop", windScene, [] { waterMenuSelected(waterDrop); },
     [] { rippleSurface.makeDrop(); }},
    {"Water: Best Zoom", waterScene, [] { waterMenuSelected(waterBestZoom); },
     [] { requestBestView(waterScene); }},
    {"a Best Zoom for a scene not in front", windScene,
     [] { fireMenuSelected(fireBestZoom), earthMenuSelected(earthBestZoom), waterMenuSelected(waterBestZoom); },
     nullptr},
    {"unknown menu values", windScene,
     [] {
       for (int value : {0, 11, -1, 4000}) {
         mainMenuSelected(value), windMenuSelected(value), earthMenuSelected(value);
         fireMenuSelected(value), waterMenuSelected(value);
       }
       earthMenuSelected(3);
     },
     nullptr},
};

TEST_F(Input, EveryKeyAndMenuEntryTriggersItsOwnAction) {
  for (const Binding& b : bindings) {
    SCOPED_TRACE(b.input);
    startWith(b.front);
    if (b.expected == quits) {
      EXPECT_EXIT(b.deliver(), testing::ExitedWithCode(0), "");
      continue;
    }
    const Records start = records();
    b.deliver();
    const Records delivered = records();
    startWith(b.front);
    if (b.expected) b.expected();
    EXPECT_TRUE(delivered == records()) << "not what its action does";
    EXPECT_EQ(delivered == start, b.expected == nullptr) << "changed nothing, or something";
  }
}

TEST_F(Input, HeightAndZoomKeysStopAtTheirLimitsButTheMenuMovesDoNot) {
  const struct {
    const char* input;
    void (*deliver)();
    int presses;
    float SceneController::*field;
    float reached;  // after presses from 0, with one more changing nothing
  } limits[] = {
      {"key +", [] { keyPressed('+', 0, 0); }, 20, &SceneController::cameraHeight, -4.0f},
      {"key -", [] { keyPressed('-', 0, 0); }, 20, &SceneController::cameraHeight, 4.0f},
      {"up arrow", [] { specialKeyPressed(specialKeyUp, 0, 0); }, 88, &SceneController::cameraZoom,
       -22.0f},
      {"down arrow", [] { specialKeyPressed(specialKeyDown, 0, 0); }, 0, &SceneController::cameraZoom,
       0.0f},
  };
  for (const auto& t : limits) {
    SCOPED_TRACE(t.input);
    c = SceneController{};
    for (int i = 0; i < t.presses; ++i) t.deliver();
    EXPECT_NEAR(c.*t.field, t.reached, 1e-4f);
    const float atLimit = c.*t.field;
    t.deliver();
    EXPECT_EQ(c.*t.field, atLimit);
  }
  c.cameraHeight = -4.0f;
  mainMenuSelected(menuMoveUp);
  EXPECT_NEAR(c.cameraHeight, -4.2f, 1e-4f);
  c.cameraHeight = 4.0f;
  mainMenuSelected(menuMoveDown);
  EXPECT_NEAR(c.cameraHeight, 4.2f, 1e-4f);
}

}  // namespace
