// The body mesh: a long torso, rounded at the breast and tapering to the rump,
// and the neck that rises from the breast, swings forward and curls back up
// into the head. Both are smooth tubes; the torso is closed at each end, the
// neck is open at both ends, which lie inside the torso and inside the head.
#include <cmath>

#include "tools/modeller/bird_parts.h"
#include "tools/modeller/bird_shapes.h"

namespace {

// Torso stations from the rump tip to the breast: position along the bird,
// height of the centre line, half-width, height above and depth below it.
const std::vector<double> torsoAlong = {-33.4, -30.0, -24.5, -16.0, -6.0, 3.0, 10.0, 15.0, 18.5};
const std::vector<double> torsoCentre = {79.6, 79.4, 78.6, 76.6, 75.0, 74.6, 75.6, 77.8, 80.5};
const std::vector<double> torsoHalfWidth = {1.2, 5.0, 7.8, 9.5, 10.2, 10.0, 8.8, 6.2, 1.5};
const std::vector<double> torsoAbove = {0.6, 1.5, 2.8, 4.1, 4.9, 5.3, 5.7, 5.5, 1.5};
const std::vector<double> torsoBelow = {0.6, 1.8, 4.6, 7.9, 7.6, 7.4, 7.6, 6.4, 1.5};
// Points around each torso loop, rump to breast: fewer where it is narrow.
// The breast loop and the neck's top loop have an odd count, which gives the
// mesh its odd number of triangles.
const std::vector<int> torsoSides = {10, 14, 18, 20, 20, 20, 20, 20, 20, 18, 16, 13};
// Fullness of the torso section: below 1 squares the round loop off a little.
constexpr double torsoFullness = 0.95;

// The neck's centre line, from inside the breast to inside the head.
const std::vector<Vec3> neckKeys = {{8.5, 0.0, 78.5},  {14.5, 0.6, 83.5}, {19.4, 2.0, 88.5},
                                    {21.1, 2.2, 92.8}, {19.8, 0.8, 95.8}, {17.0, -0.6, 96.9},
                                    {15.2, -1.4, 98.3}};
const std::vector<double> neckRadius = {6.2, 4.6, 3.1, 2.6, 2.4, 2.3, 2.25};
const std::vector<int> neckSides = {14, 14, 14, 14, 14, 14, 14, 14, 14, 14, 14, 14, 13};

// A superellipse-like loop around the torso at one station: it starts at the
// top and turns towards the bird's left.
std::vector<Vec3> torsoLoop(double along, double centre, double halfWidth, double above,
                            double below, int n) {
  std::vector<Vec3> loop;
  for (int k = 0; k < n; ++k) {
    const double angle = 2.0 * pi * k / n;
    const double c = std::cos(angle), s = std::sin(angle);
    const double cz = std::copysign(std::pow(std::fabs(c), torsoFullness), c);
    const double sy = std::copysign(std::pow(std::fabs(s), torsoFullness), s);
    const double height = below + (above - below) * 0.5 * (1.0 + c);
    loop.push_back({along, halfWidth * sy, centre + height * cz});
  }
  return loop;
}

}  // namespace

BirdPart buildBirdTorso() {
  BirdPart part;
  Surface& surface = part.surface;

  // Torso: loops in planes across the bird, from rump to breast.
  const int rings = static_cast<int>(torsoSides.size());
  std::vector<Row> torso;
  for (int r = 0; r < rings; ++r) {
    const double t = static_cast<double>(r + 1) * (torsoAlong.size() - 1) / (rings + 1);
    torso.push_back(addRow(surface,
                           torsoLoop(smoothValue(torsoAlong, t), smoothValue(torsoCentre, t),
                                     smoothValue(torsoHalfWidth, t), smoothValue(torsoAbove, t),
                                     smoothValue(torsoBelow, t), torsoSides[r]),
                           r));
  }
  zipAll(surface, torso, true);
  const int last = static_cast<int>(torsoAlong.size()) - 1;
  capWithApex(surface, torso.front(), {torsoAlong[0], 0.0, torsoCentre[0]}, -1);
  capWithApex(surface, torso.back(), {torsoAlong[last], 0.0, torsoCentre[last]}, rings);
  turnAboutZ(surface, 0, birdTorsoTurn);

  // Neck: a round tube along its curve.
  const int neckRings = static_cast<int>(neckSides.size());
  const std::vector<Vec3> path = smoothCurve(neckKeys, neckRings);
  const std::vector<double> radius = smoothValues(neckRadius, neckRings);
  const auto round = [&](int k, const Frame& frame, int n) {
    return ellipseLoop(frame, n, radius[k], radius[k]);
  };
  const std::vector<Row> neck = addTubeRows(surface, path, birdUp, neckSides, round);

  // Seams run down the neck from its top, on its back and sides.
  for (double fraction : {0.5, 0.25, 0.75, 0.0, 0.375, 0.625, 0.125, 0.875}) {
    std::vector<Row> downward(neck.rbegin(), neck.rend());
    part.seams.push_back(pathAcross(surface, downward, fraction, neckRings - 1));
  }
  // and along the belly from the rump.
  part.seams.push_back(pathAcross(surface, torso, 0.5, rings - 1));
  return part;
}
