#include "tools/modeller/tree_bark.h"

#include <algorithm>

#include "tools/modeller/primitives.h"

namespace {

// The program draws bark with texture coordinates times this.
constexpr double barkUvScale = 3.0;

}  // namespace

double barkTurns(double vPerBarkLength) {
  return std::max(1.0, std::round(barkUvScale * 2.0 * pi * vPerBarkLength)) / barkUvScale;
}

Curve limbRings(const LimbPlan& limb) { return resampleCurve(limb.curve, limb.segments + 1); }

double addBarkTube(MeshBuilder& mesh, const LimbPlan& limb, double vPerBarkLength) {
  const Curve rings = limbRings(limb);
  const std::vector<Frame> frames = pathFrames(rings.points);
  const double turns = barkTurns(vPerBarkLength);
  Ring previous;
  UvRow previousUv;
  double v = 0.0;
  for (size_t k = 0; k < rings.points.size(); ++k) {
    if (k > 0) {
      const double meanRadius = 0.5 * (rings.radii[k - 1] + rings.radii[k]);
      v += vPerBarkLength * length(rings.points[k] - rings.points[k - 1]) / meanRadius;
    }
    const Ring ring = addRing(mesh, frames[k], limb.sides, rings.radii[k]);
    const UvRow uvRow = addUvRow(mesh, limb.sides + 1, 0.0, turns, v);
    if (k > 0) bridge(mesh, previous, ring, true, previousUv, uvRow);
    previous = ring;
    previousUv = uvRow;
  }
  return v;
}
