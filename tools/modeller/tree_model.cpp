// The swaying tree: odd meshes bark and even ones leaves, in four sway groups
// that each rise as a stem from the foot of the trunk at the origin. The
// skeleton (tree_plan) fixes every limb; this file turns it into bark tubes
// and leaf quads, shares out the texture coordinates so the model holds
// exactly its catalogue count of them, and fits the whole tree to the box of
// its catalogue total.
#include <algorithm>
#include <stdexcept>
#include <string>

#include "tools/modeller/models.h"
#include "tools/modeller/tree_bark.h"
#include "tools/modeller/tree_leaves.h"

namespace {

// Growth of bark v per unit of arc length over radius on branches, twigs and
// roots; the stems each take their own so that their v ends where it should.
constexpr double barkGrain = 2.5;
// A stem's twigs reach at most this share of the stem's largest v.
constexpr double stemTwigShare = 0.95;

constexpr std::uint32_t leafSeed = 424242u;

// A map of one axis that keeps 0 where it is and sends lo to newLo and hi to
// newHi: linear when lo is 0, else a gentle quadratic a x + b x^2.
struct AxisMap {
  double a = 1.0, b = 0.0;
  double operator()(double x) const { return a * x + b * x * x; }
};

AxisMap axisMap(double lo, double hi, double newLo, double newHi) {
  AxisMap map;
  if (lo == 0.0) {
    map.a = newHi / hi;
    return map;
  }
  const double det = lo * hi * (hi - lo);
  map.a = (newLo * hi * hi - newHi * lo * lo) / det;
  map.b = (newHi * lo - newLo * hi) / det;
  // The map must not fold: its slope stays positive over the whole range.
  if (map.a + 2.0 * map.b * lo <= 0.0 || map.a + 2.0 * map.b * hi <= 0.0) {
    throw std::runtime_error("tree: the box fit would fold the model");
  }
  return map;
}

// Stretches the whole model, one map per axis, onto the tree's box; the foot
// of the trunk stays at the origin.
void fitTreeToBox(ModelData& model, const Box& target) {
  std::vector<double> all;
  for (const MeshData& mesh : model.meshes) {
    all.insert(all.end(), mesh.positions.begin(), mesh.positions.end());
  }
  const Box box = boundingBox(all);
  AxisMap maps[3];
  for (int axis = 0; axis < 3; ++axis) {
    maps[axis] = axisMap(box.min[axis], box.max[axis], target.min[axis], target.max[axis]);
  }
  for (MeshData& mesh : model.meshes) {
    for (size_t i = 0; i < mesh.positions.size(); ++i) {
      mesh.positions[i] = maps[i % 3](mesh.positions[i]);
    }
  }
}

// Roots dip below the ground in places; the ground cuts them flat.
void cutAtGround(MeshData& mesh) {
  for (size_t i = 2; i < mesh.positions.size(); i += 3) {
    mesh.positions[i] = std::max(mesh.positions[i], 0.0);
  }
}

}  // namespace

ModelData buildTreeModel(const CatalogueModel& entry) {
  const std::vector<BarkPlan> plans = planTree(entry);

  std::vector<MeshData> bark;
  int barkUvs = 0;
  for (const BarkPlan& plan : plans) {
    MeshBuilder mesh(entry.mesh(plan.mesh).name);
    for (size_t i = 0; i < plan.limbs.size(); ++i) {
      const LimbPlan& limb = plan.limbs[i];
      const double limbBark = barkLength(limbRings(limb));
      double grain = barkGrain;
      if (plan.stemVmax > 0) {
        // The stem's v ends exactly at its figure; its twigs stay below it.
        grain = i == 0 ? plan.stemVmax / limbBark
                       : std::min(barkGrain, stemTwigShare * plan.stemVmax / limbBark);
      }
      addBarkTube(mesh, limb, grain);
    }
    cutAtGround(mesh.data());
    barkUvs += mesh.uvCount();
    bark.push_back(mesh.data());
  }

  std::vector<int> quads;
  for (const BarkPlan& plan : plans) {
    if (plan.leafQuads > 0) quads.push_back(plan.leafQuads);
  }
  const std::vector<LeafUvGrid> grids = leafUvGrids(entry.totals().uvCount() - barkUvs, quads);
  if (grids.empty()) throw std::runtime_error("tree: leaf texture coordinates do not fit");

  ModelData model{entry.name, {}};
  TreeRandom random(leafSeed);
  size_t leafMesh = 0;
  for (size_t k = 0; k < plans.size(); ++k) {
    model.meshes.push_back(bark[k]);
    if (plans[k].leafQuads == 0) continue;
    MeshBuilder leaves(entry.mesh(plans[k].mesh + 1).name);
    addLeaves(leaves, plans[k], grids[leafMesh++], random);
    model.meshes.push_back(leaves.data());
  }
  fitTreeToBox(model, entry.totals().box());
  return model;
}
