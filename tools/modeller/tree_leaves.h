// Leaves: square quads, four vertices of their own each, hung along the
// leafy limbs of a bark mesh and turned every way, with their faces leaning
// out of the crown and up towards the light. Each quad shows the whole leaf
// texture once, its length from the stalk to the tip.
#pragma once
#include <vector>

#include "tools/modeller/mesh_builder.h"
#include "tools/modeller/tree_plan.h"
#include "tools/modeller/tree_random.h"

// The leaf texture's cells: a grid of UV points, rows x columns, every cell
// one texture repeat once the program scales leaf coordinates by 10.
struct LeafUvGrid {
  int rows = 2;
  int columns = 2;
  int cells() const { return (rows - 1) * (columns - 1); }
};

// One grid per leaf mesh (quads per mesh given), together holding exactly
// total UV points, each grid with no more cells than its mesh has quads so
// that every point is used. Empty when the total cannot be met.
std::vector<LeafUvGrid> leafUvGrids(int total, const std::vector<int>& quads);

// Adds plan.leafQuads quads on the plan's leafy limbs: quad j is triangles
// (4j, 4j+1, 4j+2) and (4j+2, 4j+3, 4j), mapped to cell j of the grid
// (cycling).
void addLeaves(MeshBuilder& mesh, const BarkPlan& plan, const LeafUvGrid& grid,
               TreeRandom& random);
