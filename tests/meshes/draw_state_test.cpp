// What every mesh of every model does to GL when drawn: the enables it
// changes before and after its triangles, the colour it sends, the scale of
// its texture coordinates; and what the pool and the dome run leave behind.
// Models whose data exists are drawn themselves; the others through fixture
// meshes with their styles.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <stdexcept>
#include <string>

#include "assets/model_styles.h"
#include "assets/models.h"
#include "tests/meshes/gl_call_log.h"
#include "tests/meshes/mesh_runs.h"
#include "tests/support/gl_probe.h"

namespace {

// What the catalogue says a run of meshes does, every step-th mesh from
// first to last.
struct ExpectedDraw {
  const char* model;
  int first, last, step;
  double uvScale;  // 0: untextured, sends no texture coordinates
  const char* before;
  const char* colour;
  const char* after;
  bool everyTriangle = true;  // false: a filter leaves some out
};

const char* const domeColour = "rgba 0 0 0.9 0.18";

const ExpectedDraw expectedDraws[] = {
    {"stage", 1, 1, 1, 1, "enable texture", "rgba 1 1 1 1", "disable texture"},
    {"stage", 2, 2, 1, 0, "disable texture, enable blend", domeColour, ""},
    {"stage", 3, 4, 1, 0, "disable texture", domeColour, ""},
    {"stage", 5, 5, 1, 0, "disable texture", domeColour, "disable blend"},
    {"stage", 6, 9, 1, 5, "enable texture", "", "disable texture"},
    {"stage", 10, 13, 1, 7, "enable texture", "", "disable texture"},
    {"pool", 1, 2, 1, 5, "enable texture", "", "disable texture"},
    {"pool", 3, 6, 1, 0, "", "rgb 0.5 0.5 0.5", ""},
    {"marker", 1, 1, 1, 0, "", "", "", false},
    {"earth", 1, 1, 1, 20, "", "", ""},
    {"earth", 2, 2, 1, 1, "", "", ""},
    {"fireball", 1, 1, 1, 0, "", "corners 0 0 0 / 1 1 1 / 1 1 1", ""},
    {"bird", 1, 10, 1, 0.5, "", "", ""},
    {"intro", 1, 12, 1, 6, "", "", ""},
    {"tree", 1, 91, 2, 3, "", "", ""},
    {"tree", 2, 90, 2, 10, "", "", ""},
};

struct ModelUnderTest {
  const MeshModel& model;
  std::function<MeshRun()> run;
};

const ModelUnderTest& modelNamed(const std::string& name) {
  static const ModelUnderTest models[] = {
      {stageModel, [] { return meshRun(stageModel, stageStyles); }},
      {poolModel, [] { return meshRun(poolModel, poolStyles); }},
      {markerModel, [] { return meshRun(markerModel, markerStyles); }},
      {earthModel, [] { return meshRun(earthModel, earthStyles); }},
      {fireballModel, [] { return meshRun(fireballModel, fireballStyles); }},
      {birdModel, [] { return meshRun(birdModel, birdStyles); }},
      {introModel, [] { return meshRun(introModel, introStyles); }},
      {treeModel, [] { return meshRun(treeModel, treeStyles); }},
  };
  for (const ModelUnderTest& m : models) {
    if (name == m.model.name) return m;
  }
  throw std::runtime_error("no model " + name);
}

class DrawStateTest : public testing::Test {
 protected:
  void SetUp() override {
    pendingGlErrors();
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_BLEND);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
  }
  void TearDown() override {
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_BLEND);
    const std::vector<GLenum> errors = pendingGlErrors();
    EXPECT_TRUE(errors.empty()) << "first GL error " << (errors.empty() ? 0 : errors[0]);
  }
};

TEST_F(DrawStateTest, EveryMeshOfEveryModelDrawsAsTheCatalogueSays) {
  std::map<std::string, std::vector<int>> checked;  // times each mesh was checked
  for (const ExpectedDraw& expected : expectedDraws) {
    const ModelUnderTest& model = modelNamed(expected.model);
    const MeshRun run = model.run();
    ASSERT_LE(expected.last, static_cast<int>(run.meshes.size())) << expected.model;
    checked[expected.model].resize(run.meshes.size());
    for (int n = expected.first; n <= expected.last; n += expected.step) {
      ++checked[expected.model][n - 1];
      SCOPED_TRACE(std::string(expected.model) + " mesh " + std::to_string(n) +
                   (run.real ? "" : " (fixture)"));
      const Mesh& mesh = run.meshes[n - 1];
      const std::vector<GlCallRecord> calls = recordCalls([&] { drawMesh(mesh); });
      const DrawSummary seen = summarise(calls);
      EXPECT_EQ(seen.before, expected.before);
      EXPECT_EQ(seen.colour, expected.colour);
      EXPECT_EQ(seen.after, expected.after);
      const int corners = 3 * seen.triangles;
      if (expected.everyTriangle) {
        EXPECT_EQ(seen.triangles, mesh.triangleCount());
      }
      EXPECT_EQ(seen.texCoords, expected.uvScale != 0 ? corners : 0);
      if (expected.uvScale != 0) {
        EXPECT_EQ(cornersScaledBy(mesh, calls, expected.uvScale), corners);
      }
      glDisable(GL_TEXTURE_2D);
      glDisable(GL_BLEND);
    }
  }
  ASSERT_EQ(checked.size(), 8u);
  for (const auto& [model, times] : checked) {
    EXPECT_EQ(times, std::vector<int>(times.size(), 1)) << model << ": a mesh checked not once";
  }
}

// Draws the pool's meshes, each after a pass-through marker with its number.
void drawPoolMarked(const MeshRun& run) {
  for (size_t i = 0; i < run.meshes.size(); ++i) {
    glPassThrough(static_cast<GLfloat>(i + 1));
    drawMesh(run.meshes[i]);
  }
}

TEST_F(DrawStateTest, PoolLeavesTexturingOffAndDrawsItsRimsUntexturedGrey) {
  const MeshRun run = meshRun(poolModel, poolStyles);
  for (bool textureBefore : {false, true}) {
    SCOPED_TRACE(textureBefore ? "texturing on before" : "texturing off before");
    if (textureBefore) glEnable(GL_TEXTURE_2D);
    if (run.real) {
      poolModel.drawAll();
    } else {
      for (const Mesh& mesh : run.meshes) drawMesh(mesh);
    }
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
  }

  viewAll(run.meshes);
  const std::vector<FeedbackPolygon> polygons = capturePolygons([&] { drawPoolMarked(run); });
  int mesh = 0, rimTriangles = 0;
  for (const FeedbackPolygon& polygon : polygons) {
    if (polygon.xyz.empty()) {
      mesh = static_cast<int>(polygon.rgba[0]);
      continue;
    }
    if (mesh < 3) continue;
    ++rimTriangles;
    for (size_t i = 0; i < polygon.rgba.size(); i += 4) {
      ASSERT_EQ(polygon.rgba[i], 0.5f) << "rim " << mesh;
      ASSERT_EQ(polygon.rgba[i + 1], 0.5f) << "rim " << mesh;
      ASSERT_EQ(polygon.rgba[i + 2], 0.5f) << "rim " << mesh;
    }
  }
  int expectedRimTriangles = 0;
  for (size_t i = 2; i < run.meshes.size(); ++i) expectedRimTriangles += run.meshes[i].triangleCount();
  EXPECT_EQ(rimTriangles, expectedRimTriangles);
  // Texturing was off while the rims drew: the basins' last change.
  const auto calls = recordCalls([&] {
    for (size_t i = 2; i < run.meshes.size(); ++i) drawMesh(run.meshes[i]);
  });
  for (const GlCallRecord& call : calls) {
    EXPECT_NE(call.call, GlCall::texCoord2d);
    EXPECT_NE(call.call, GlCall::enable);
  }
}

TEST_F(DrawStateTest, DomeRunSwitchesBlendingOnForItselfAndLeavesBothOff) {
  const MeshRun stage = meshRun(stageModel, stageStyles);
  const std::vector<Mesh> domes(stage.meshes.begin() + 1, stage.meshes.begin() + 5);
  for (bool stateBefore : {false, true}) {
    SCOPED_TRACE(stateBefore ? "texturing and blending on before" : "both off before");
    if (stateBefore) {
      glEnable(GL_TEXTURE_2D);
      glEnable(GL_BLEND);
    }
    drawMesh(domes[0]);
    EXPECT_TRUE(glIsEnabled(GL_BLEND)) << "after dome 1";
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D)) << "after dome 1";
    drawMesh(domes[1]);
    drawMesh(domes[2]);
    EXPECT_TRUE(glIsEnabled(GL_BLEND)) << "after dome 3";
    drawMesh(domes[3]);
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
  }

  viewAll(domes);
  const auto polygons = capturePolygons([&] {
    for (const Mesh& dome : domes) drawMesh(dome);
  });
  int triangles = 0;
  for (const Mesh& dome : domes) triangles += dome.triangleCount();
  ASSERT_EQ(polygons.size(), static_cast<size_t>(triangles));
  for (const FeedbackPolygon& polygon : polygons) {
    ASSERT_EQ(polygon.rgba.size(), 12u);
    for (size_t i = 0; i < polygon.rgba.size(); i += 4) {
      ASSERT_FLOAT_EQ(polygon.rgba[i], 0.0f);
      ASSERT_FLOAT_EQ(polygon.rgba[i + 1], 0.0f);
      ASSERT_FLOAT_EQ(polygon.rgba[i + 2], 0.9f);
      ASSERT_FLOAT_EQ(polygon.rgba[i + 3], 0.18f);
    }
  }
}

}  // namespace
