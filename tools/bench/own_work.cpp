#include "tools/bench/own_work.h"

#include <GL/gl.h>
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <map>

#include "app/controller.h"
#include "app/scene_controller.h"
#include "app/window.h"
#include "assets/models.h"
#include "assets/stage.h"
#include "scenes/fire/fire_burst.h"
#include "scenes/fire/fire_effect.h"
#include "scenes/fire/fire_state.h"
#include "scenes/intro/intro.h"
#include "scenes/water/ripple_surface.h"
#include "tools/bench/frame_runner.h"

namespace {

// Fixed places of the drops that keep the benchmarked surface moving.
constexpr int dropCorners[3][2] = {{20, 30}, {60, 45}, {75, 80}};
// The surface gets its drops again after this many steps, before it has
// faded to nothing.
constexpr int stepsPerRefresh = 1000;

// Stands in for the redisplay request, which has no loop to go to here.
void noRedisplay() {}

// Three drops at fixed places.
void dropOnSurface() {
  for (const auto& corner : dropCorners) rippleSurface.dropAt(corner[0], corner[1]);
}

// No convergence and no burst under way.
void quietFire() {
  fireState.exploding = 0;
  fireState.burstFramesLeft = 0;
}

// One idle step with nothing but the steady motions going on.
void idleStep(benchmark::State& state) {
  quietFire();
  sceneController.introActive = 0;
  for (auto _ : state) idleUpdate();
}

// FireEffect::update while the 14000 particles move.
void fireUpdateWithBurst(benchmark::State& state) {
  quietFire();
  startBurst();
  for (auto _ : state) {
    fireState.burstFramesLeft = burstLifetime;  // keeps the burst alive and unfaded
    fireEffect.update();
  }
  quietFire();
}

// startBurst: 14000 directions from 42000 rand() values.
void burstStart(benchmark::State& state) {
  std::srand(benchSeed);
  for (auto _ : state) startBurst();
  quietFire();
}

// stepSimulation of a surface with live ripples.
void rippleStep(benchmark::State& state) {
  dropOnSurface();
  int steps = 0;
  for (auto _ : state) {
    rippleSurface.stepSimulation();
    if (++steps % stepsPerRefresh == 0) dropOnSurface();
  }
}

// Culls every triangle, so the draws below hand their calls to GL, which
// transforms the vertices as it gathers them and then draws nothing.
template <typename Draw>
void timeCulledDraw(benchmark::State& state, const Draw& draw) {
  glPushAttrib(GL_ALL_ATTRIB_BITS);
  glEnable(GL_CULL_FACE);
  glCullFace(GL_FRONT_AND_BACK);
  for (auto _ : state) draw();
  glFinish();
  glPopAttrib();
}

// The 99 strips of the stepped surface.
void rippleStrips(benchmark::State& state) {
  dropOnSurface();
  rippleSurface.stepSimulation();
  timeCulledDraw(state, [] { rippleSurface.drawSurface(); });
}

// drawFireScene without a burst: the eight fireball copies.
void fireballDraws(benchmark::State& state) {
  quietFire();
  timeCulledDraw(state, [] { drawFireScene(); });
}

// The four sliding spheres, drawn from their tables every frame.
void sphereDraws(benchmark::State& state) {
  timeCulledDraw(state, [] {
    for (int i = 0; i < SceneController::sphereCount; ++i) {
      drawMesh(stageModel.mesh(firstSphereMesh + i));
    }
  });
}

// Every piece released at its stop depth, as in the intro's last frame: the
// most it draws in one frame.
void introLettering(benchmark::State& state) {
  const IntroState saved = introState;
  for (IntroPiece& piece : introState.introPieces) piece = IntroPiece{introStopDepth, 1};
  timeCulledDraw(state, [] { intro.drawIntro(); });
  introState = saved;
}

// A piece of own work: its benchmark, how often it runs and in which cases.
struct OwnWork {
  const char* name;
  void (*run)(benchmark::State&);
  Occurs occurs;
  std::vector<std::string> cases;
};

const std::vector<std::string> stageCases = {windCase, earthCase, fireCase, burstCase, waterCase};
const std::vector<std::string> everyCase = {introCase, windCase, earthCase,
                                            fireCase,  burstCase, waterCase};

const OwnWork ownWork[] = {
    {"idle step (no intro, no burst)", idleStep, Occurs::everyFrame, everyCase},
    {"fire update with a live burst", fireUpdateWithBurst, Occurs::everyFrame, {burstCase}},
    {"startBurst", burstStart, Occurs::oncePerBurst, {burstCase}},
    {"ripple step with its normals", rippleStep, Occurs::everyFrame, {waterCase}},
    {"ripple strip submission", rippleStrips, Occurs::everyFrame, {waterCase}},
    {"fireball draws (8 copies)", fireballDraws, Occurs::everyFrame, stageCases},
    {"sliding sphere draws (4)", sphereDraws, Occurs::everyFrame, stageCases},
    {"intro lettering (all 12 letters)", introLettering, Occurs::everyFrame, {introCase}},
};

// Keeps the median of each benchmark's repetitions (or its one run).
class MedianCollector : public benchmark::BenchmarkReporter {
 public:
  explicit MedianCollector(int repetitions) : repetitions_(repetitions) {}
  bool ReportContext(const Context&) override { return true; }
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      const bool wanted = repetitions_ > 1
                              ? run.run_type == Run::RT_Aggregate && run.aggregate_name == "median"
                              : run.run_type == Run::RT_Iteration;
      if (wanted && !run.error_occurred) {
        medians[run.run_name.function_name] = run.GetAdjustedRealTime();
      }
    }
  }
  std::map<std::string, double> medians;  // by benchmark name

 private:
  int repetitions_;
};

}  // namespace

std::vector<OwnWorkTiming> runOwnWorkBenchmarks(double minSeconds, int repetitions,
                                                const std::string& filter) {
  static char programName[] = "kesh-bench";
  std::string filterArgument = "--benchmark_filter=" + (filter.empty() ? ".*" : filter);
  char* arguments[] = {programName, filterArgument.data(), nullptr};
  int argumentCount = 2;
  benchmark::Initialize(&argumentCount, arguments);
  for (const OwnWork& work : ownWork) {
    benchmark::internal::Benchmark* b = benchmark::RegisterBenchmark(work.name, work.run);
    b->Unit(benchmark::kMicrosecond)->MinTime(minSeconds)->UseRealTime();
    if (repetitions > 1) b->Repetitions(repetitions)->ReportAggregatesOnly(true);
  }
  const WindowCalls saved = windowCalls;
  windowCalls.postRedisplay = noRedisplay;
  MedianCollector collector(repetitions);
  benchmark::RunSpecifiedBenchmarks(&collector);
  benchmark::ClearRegisteredBenchmarks();
  windowCalls = saved;

  std::vector<OwnWorkTiming> timings;
  for (const OwnWork& work : ownWork) {
    OwnWorkTiming timing;
    timing.name = work.name;
    timing.occurs = work.occurs;
    timing.cases = work.cases;
    const auto found = collector.medians.find(work.name);
    if (found != collector.medians.end()) timing.microseconds = found->second;
    timings.push_back(timing);
  }
  return timings;
}
