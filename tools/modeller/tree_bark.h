// Bark: each limb of the plan as an open tube of its sides and segments.
// The texture wraps a whole number of thirds of a turn round the limb (the
// program scales bark coordinates by 3, so the seam meets itself) and runs
// along it by arc length over radius, so thin twigs repeat it as often round
// as along.
#pragma once
#include "tools/modeller/mesh_builder.h"
#include "tools/modeller/tree_plan.h"

// Texture repeats round a limb (before the program's scale) for a given
// growth of v per unit of arc length over radius: 2 pi times it, rounded to
// thirds.
double barkTurns(double vPerBarkLength);

// The limb's rings: segments + 1 points spaced evenly along its curve.
Curve limbRings(const LimbPlan& limb);

// Adds the limb as a tube; v starts at 0 and grows by vPerBarkLength times
// arc length over radius. Returns the largest v.
double addBarkTube(MeshBuilder& mesh, const LimbPlan& limb, double vPerBarkLength);
