// The tree's skeleton. Every bark mesh is a main limb (a stem rising from the
// foot of the tree, a branch, a shoot or the roots) with the twigs that grow
// from it; the leaf mesh that follows it in the catalogue grows on those
// twigs. The plan fixes each limb's centre line, radius, sides and segments,
// so that every bark mesh has exactly its catalogue triangle count.
#pragma once
#include <vector>

#include "assets/meshes/catalogue.h"
#include "tools/modeller/tree_curve.h"

struct LimbPlan {
  Curve curve;            // dense centre line with radii
  int sides = 3;
  int segments = 1;       // rings - 1, set so the mesh meets its count
  double leafFrom = 2.0;  // arc fraction where leaves begin; above 1: none
};

struct BarkPlan {
  int mesh = 0;            // catalogue number, from 1 (odd: bark)
  int group = 0;           // sway group, from 0 (scenes/wind/sway_groups.h)
  int barkTriangles = 0;
  int leafQuads = 0;       // quads of the leaf mesh that follows, number mesh + 1
  double stemVmax = 0.0;   // largest v along a stem; 0 for other meshes
  std::vector<LimbPlan> limbs;  // the main limb first, then its twigs
};

// Every bark mesh of the tree's catalogue entry, in catalogue order.
std::vector<BarkPlan> planTree(const CatalogueModel& tree);
