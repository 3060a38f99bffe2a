// The head, turned back over the right shoulder as when preening: the main
// shell (cranium, cheeks and throat), the hood of crown and nape feathers
// over it, and the hooked beak, upper and lower, pointing back and down.
#include <algorithm>
#include <cmath>

#include "tools/modeller/bird_parts.h"
#include "tools/modeller/bird_shapes.h"

namespace {

// The head's centre, the tip of its face (inside the bill's base) and where
// the bill starts and ends.
const Vec3 headCentre{13.9, -1.8, 101.2};
const Vec3 faceTip{9.4, -1.35, 98.9};
const Vec3 beakBase{9.24, -1.245, 98.8};
const Vec3 beakTip{5.85, -1.285, 98.05};

// The head's axis runs from the nape through the centre to the face tip;
// the tables give, at each distance along it, the half-width, the height
// above and depth below it, and how far the loop's centre sits above it.
const std::vector<double> headAlong = {-3.3, -2.9, -2.0, -0.8, 0.4, 1.6, 2.6, 3.5, 4.4, 5.0, 5.45};
const std::vector<double> headHalfWidth = {0.0, 1.9, 2.85, 3.2, 3.1, 2.65, 1.95, 1.4, 1.05, 0.9, 0.35};
const std::vector<double> headAbove = {0.0, 1.9, 2.8, 3.1, 3.0, 2.45, 1.7, 1.15, 0.8, 0.55, 0.25};
const std::vector<double> headBelow = {0.0, 1.8, 2.6, 2.9, 2.7, 2.15, 1.4, 0.9, 0.6, 0.4, 0.2};
// How far the nape swings to the right per unit behind the centre.
constexpr double napeBend = 0.17;
const std::vector<double> headLift = {0.0, 0.0, 0.0, 0.0, 0.0, -0.1, -0.1, -0.05, 0.0, 0.0, 0.0};
constexpr int headSides = 18;
// Where the head's loops lie along its tables (in table steps): close
// together at the round nape, wider over the crown.
const std::vector<double> headRingSteps = {0.45, 1.0, 2.0, 3.0, 4.2, 5.5, 7.0, 8.5, 10.0};

// The hood, a cap of crown feathers: how far it stands off the head (less at
// its edge), how high its crest ridge rises, where it starts behind the crown
// and how far it runs towards the bill (table steps), and how far round the
// head its rows reach (degrees from the top), from its back point to its brow.
constexpr double hoodOffset = 0.3;
constexpr double hoodEdgeOffset = 0.04;
constexpr double hoodCrest = 0.45;
constexpr int hoodRows = 16;
constexpr int hoodPoints = 11;
constexpr double hoodStart = 1.2, hoodEnd = 8.0;
const std::vector<double> hoodReach = {40.0, 125.0, 150.0, 140.0, 80.0};
constexpr double hoodScallop = 0.25;  // depth of the feather tips along its edge

// Bill sections from base to tip: half-width, height above and depth below
// the line from base to tip, and how far the section drops (the nail at the
// tip bends down).
const std::vector<double> upperHalfWidth = {0.95, 0.98, 1.02, 1.05, 1.05, 0.95, 0.6};
const std::vector<double> upperAbove = {0.45, 0.36, 0.3, 0.26, 0.23, 0.2, 0.15};
const std::vector<double> upperBelow = {0.1, 0.1, 0.1, 0.09, 0.09, 0.09, 0.08};
const std::vector<double> upperDrop = {0.0, 0.0, 0.0, 0.0, 0.03, 0.1, 0.25};
constexpr int upperRings = 11;
constexpr int upperSides = 10;
const std::vector<double> lowerHalfWidth = {0.85, 0.88, 0.9, 0.85, 0.6};
const std::vector<double> lowerAbove = {0.45, 0.2, 0.08, 0.06, 0.05};
const std::vector<double> lowerBelow = {0.3, 0.27, 0.22, 0.18, 0.12};
const std::vector<double> lowerDrop = {0.0, 0.02, 0.04, 0.07, 0.1};  // the bill is just open
const std::vector<int> lowerSides = {8, 8, 8, 8, 7, 6};
constexpr double lowerLength = 0.86;  // of the upper bill's length
constexpr double lowerGap = 0.12;     // how far below the upper bill's line it sits

// The head's own axes: along (nape to face), up and across.
struct HeadAxes {
  Vec3 along, up, across;
};

HeadAxes headAxes() {
  HeadAxes axes;
  axes.along = normalized(faceTip - headCentre);
  axes.up = normalized(birdUp - axes.along * axes.along.z);
  axes.across = cross(axes.along, axes.up);
  return axes;
}

// A loop around an axis: starts at the top and turns towards `across`.
std::vector<Vec3> sectionLoop(Vec3 centre, Vec3 upward, Vec3 across, double halfWidth,
                              double above, double below, int n) {
  std::vector<Vec3> loop;
  for (int k = 0; k < n; ++k) {
    const double angle = 2.0 * pi * k / n;
    const double c = std::cos(angle), s = std::sin(angle);
    loop.push_back(centre + upward * ((c >= 0 ? above : below) * c) + across * (halfWidth * s));
  }
  return loop;
}

// A point on the head's surface at distance `t` along its axis (in table
// steps) and `angle` from the top, pushed out by `extra`.
Vec3 headPoint(const HeadAxes& axes, double t, double angle, double extra) {
  const double along = smoothValue(headAlong, t);
  // Behind the centre the head bends towards the bird's right: the head is
  // turned not quite all the way round.
  const Vec3 centre = headCentre + axes.along * along + axes.up * smoothValue(headLift, t) +
                      axes.across * (napeBend * std::min(0.0, along));
  const double c = std::cos(angle), s = std::sin(angle);
  const double height = c >= 0 ? smoothValue(headAbove, t) : smoothValue(headBelow, t);
  return centre + axes.up * ((height + extra) * c) +
         axes.across * ((smoothValue(headHalfWidth, t) + extra) * s);
}

// A beak half: sections along the line from base to tip.
BirdPart beakPart(double length, double below, const std::vector<double>& halfWidth,
                  const std::vector<double>& above, const std::vector<double>& under,
                  const std::vector<double>& drop, const std::vector<int>& sides) {
  BirdPart part;
  const Vec3 along = normalized(beakTip - beakBase);
  const Vec3 upward = normalized(birdUp - along * along.z);
  const Vec3 across = cross(along, upward);
  const double total = length * std::sqrt(dot(beakTip - beakBase, beakTip - beakBase));
  const int rings = static_cast<int>(sides.size());
  std::vector<Row> rows;
  const double last = static_cast<double>(halfWidth.size() - 1);
  for (int r = 0; r < rings; ++r) {
    const double s = static_cast<double>(r) / rings;
    const double t = last * s;
    const Vec3 centre = beakBase + along * (total * s) -
                        upward * (below + (drop.empty() ? 0.0 : smoothValue(drop, t)));
    rows.push_back(addRow(part.surface,
                          sectionLoop(centre, upward, across, smoothValue(halfWidth, t),
                                      smoothValue(above, t), smoothValue(under, t), sides[r]),
                          r));
  }
  zipAll(part.surface, rows, true);
  const double tipDrop = drop.empty() ? 0.0 : drop.back() + 0.12;
  capWithApex(part.surface, rows.back(),
              beakBase + along * total - upward * (below + tipDrop), rings);
  for (int k = 0; k < sides.front(); ++k) {
    part.seams.push_back(pathAcross(part.surface, rows, (k * 7 % sides.front()) /
                                                            static_cast<double>(sides.front()),
                                    rings - 1));
  }
  return part;
}

}  // namespace

BirdPart buildBirdHead() {
  BirdPart part;
  const HeadAxes axes = headAxes();
  const int headRings = static_cast<int>(headRingSteps.size());
  std::vector<Row> rows;
  for (int r = 0; r < headRings; ++r) {
    std::vector<Vec3> loop;
    for (int k = 0; k < headSides; ++k) {
      loop.push_back(headPoint(axes, headRingSteps[r], 2.0 * pi * k / headSides, 0.0));
    }
    rows.push_back(addRow(part.surface, loop, r + 1));
  }
  zipAll(part.surface, rows, true);
  capWithApex(part.surface, rows.front(), headPoint(axes, 0, 0, 0), 0);
  // Seams run back from the face opening.
  std::vector<Row> fromFace(rows.rbegin(), rows.rend());
  for (double fraction : {0.5, 0.25, 0.75}) {
    part.seams.push_back(pathAcross(part.surface, fromFace, fraction, headRings - 1));
  }
  return part;
}

BirdPart buildBirdHood() {
  BirdPart part;
  const HeadAxes axes = headAxes();
  std::vector<Row> rows;
  for (int r = 1; r <= hoodRows; ++r) {
    const double s = static_cast<double>(r) / hoodRows;
    const double t = hoodStart + (hoodEnd - hoodStart) * s;
    const double reach = radians(smoothValue(hoodReach, s * (hoodReach.size() - 1)));
    std::vector<Vec3> row;
    for (int k = 0; k < hoodPoints; ++k) {
      const double across = 2.0 * k / (hoodPoints - 1) - 1.0;  // -1 .. 1 over the top
      const double crest = hoodCrest * std::exp(-8.0 * across * across) * std::sin(pi * s);
      // The edge rows dip into rounded feather tips.
      const double edge = std::fabs(across) > 0.99 ? hoodScallop * (r % 2) : 0.0;
      const double offset =
          hoodEdgeOffset + (hoodOffset - hoodEdgeOffset) * (1.0 - std::pow(across, 4));
      row.push_back(headPoint(axes, t, (reach + edge) * across, offset + crest));
    }
    rows.push_back(addRow(part.surface, row, r));
  }
  zipAll(part.surface, rows, false);
  const int apex =
      part.surface.add(headPoint(axes, hoodStart, 0, hoodOffset), tileCorner(0, 0));
  fan(part.surface, apex, rows.front(), false);
  // Seams run back from the brow along the crown.
  for (int column : {hoodPoints / 2, hoodPoints / 2 - 2, hoodPoints / 2 + 2}) {
    std::vector<int> seam;
    for (int r = hoodRows - 1; r >= 0; --r) seam.push_back(rows[r][column]);
    part.seams.push_back(seam);
  }
  return part;
}

BirdPart buildBirdUpperBeak() {
  return beakPart(1.0, 0.0, upperHalfWidth, upperAbove, upperBelow, upperDrop,
                  std::vector<int>(upperRings, upperSides));
}

BirdPart buildBirdLowerBeak() {
  return beakPart(lowerLength, lowerGap, lowerHalfWidth, lowerAbove, lowerBelow, lowerDrop,
                  lowerSides);
}
