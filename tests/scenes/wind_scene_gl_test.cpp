// The wind scene in a real GL context: the tree's eight lists, the parts the
// menu toggles hide, leaves that sway with their branches whether or not the
// branches are shown, and the state the scene hands back.
#include <set>

#include "assets/models.h"
#include "assets/textures.h"
#include "scenes/wind/tree.h"
#include "scenes/wind/wind_scene.h"
#include "tests/support/gl_probe.h"
#include "tests/support/scene_fixture.h"

namespace {

using WindScene = SceneGlTest;

// Triangles of the tree's leaf meshes (even numbers) or bark meshes (odd).
size_t treeTriangles(bool leaves) {
  size_t triangles = 0;
  for (int mesh = leaves ? 2 : 1; mesh <= treeModel.meshCount; mesh += 2) {
    triangles += static_cast<size_t>(treeModel.mesh(mesh).triangleCount());
  }
  return triangles;
}
const size_t leafTriangles = treeTriangles(true);
const size_t barkTriangles = treeTriangles(false);

TEST_F(WindScene, TheTreeLivesInListsTwentyOneToTwentyEight) {
  std::set<int> lists;
  for (const SwayGroup& group : swayGroups) {
    for (int list : {group.leafList, group.branchList}) {
      lists.insert(list);
      EXPECT_TRUE(glIsList(static_cast<GLuint>(list))) << list;
    }
  }
  EXPECT_EQ(lists, (std::set<int>{21, 22, 23, 24, 25, 26, 27, 28}));
}

TEST_F(WindScene, TogglesHideLeavesAndBranchesSeparately) {
  const struct {
    int leaves, branches;
    size_t triangles;
  } cases[] = {{1, 1, leafTriangles + barkTriangles},
               {1, 0, leafTriangles},
               {0, 1, barkTriangles},
               {0, 0, 0}};
  for (const auto& t : cases) {
    sceneController.showLeaves = t.leaves;
    sceneController.showBranches = t.branches;
    EXPECT_EQ(capturePolygons(drawWindScene).size(), t.triangles)
        << "leaves " << t.leaves << " branches " << t.branches;
  }
}

TEST_F(WindScene, LeavesSwayTheSameWithOrWithoutTheirBranches) {
  treeSway = TreeSway{};  // the sway at rest, and no lists until they are built
  tree.buildTreeLists();
  for (int frame = 0; frame < 30; ++frame) tree.updateTree();
  const auto whole = capturePolygons(drawWindScene);
  sceneController.showBranches = 0;
  const auto leavesOnly = capturePolygons(drawWindScene);
  ASSERT_EQ(leavesOnly.size(), leafTriangles);
  ASSERT_GE(whole.size(), leafTriangles);
  for (size_t p = 0; p < leafTriangles; p += 97) {
    EXPECT_EQ(whole[p].xyz, leavesOnly[p].xyz) << "leaf triangle " << p;
  }
  // And they do move with the sway.
  tree.updateTree();
  const auto later = capturePolygons(drawWindScene);
  EXPECT_NE(later[leafTriangles - 1].xyz, leavesOnly[leafTriangles - 1].xyz);
}

TEST_F(WindScene, HandsBackTheStateItFound) {
  for (int blend : {0, 1}) {
    blend ? glEnable(GL_BLEND) : glDisable(GL_BLEND);
    glDisable(GL_TEXTURE_2D);
    glColor4f(0.1f, 0.2f, 0.3f, 0.4f);
    glBindTexture(GL_TEXTURE_2D, metal1Texture);
    const GlState before = captureGlState();
    drawWindScene();
    const GlState after = captureGlState();
    EXPECT_TRUE(after == before) << before.describe() << "\n" << after.describe();
  }
  EXPECT_TRUE(pendingGlErrors().empty());
}

}  // namespace
