// The wings mesh: two wings spread wide and the tail fanned out behind.
// Each wing is a thick blade from the shoulder to the hand whose trailing
// edge is scalloped into the tips of the secondary feathers, with five
// primaries fingering out from the hand; the tail is a fan of feathers.
#include <cmath>

#include "tools/modeller/bird_parts.h"
#include "tools/modeller/bird_shapes.h"

namespace {

// One wing station across the span: distance out from the bird's centre
// line, leading and trailing edge positions along the bird, height and
// thickness.
struct WingStation {
  double out, leading, trailing, height, thickness;
};

// Shoulder to hand, for the right wing (the left one mirrors it).
const std::vector<WingStation> wingStations = {
    {5.0, 6.0, -8.5, 77.3, 2.6},    {10.0, 6.2, -10.0, 78.0, 2.4},
    {15.5, 5.7, -11.0, 78.3, 2.1},  {21.0, 4.4, -11.2, 78.1, 1.8},
    {25.0, 2.4, -10.6, 77.6, 1.5},  {28.0, 0.0, -9.4, 77.1, 1.2},
    {30.0, -2.2, -7.8, 76.7, 1.0}};
// Spanwise loops of the wing blade and points around each.
constexpr int wingRings = 12;
constexpr int wingSides = 10;
// The right wing's root loop, hidden in the body, has one point more than the
// others: the band it starts gives the mesh its odd triangle count.
constexpr int rightRootSides = wingSides + 1;
// Secondary feather tips along the trailing edge: how many, and how far each
// tip stands out behind the notches between them.
constexpr int secondaryCount = 6;
constexpr double secondaryDepth = 1.6;
// Where the scalloped stretch of the trailing edge starts and ends (span).
constexpr double secondaryFrom = 9.0, secondaryTo = 28.5;

// A primary feather: root position (out, along), direction of its shaft in
// degrees behind straight out, length and half-width.
struct Primary {
  double out, along, sweep, length, halfWidth;
};
const std::vector<Primary> primaries = {{26.5, -0.5, 20.0, 15.0, 1.6},
                                        {26.5, -3.0, 30.0, 16.0, 1.7},
                                        {26.0, -5.5, 40.0, 15.5, 1.7},
                                        {25.5, -8.0, 50.0, 14.5, 1.7},
                                        {25.0, -10.0, 60.0, 12.5, 1.7}};
constexpr int primaryRings = 5;
// The right wing reaches a little further: its primaries are this much longer.
constexpr double rightReach = 1.4;
constexpr int featherSides = 4;
// How far a primary's shaft bends back over its length (share of its length).
constexpr double primaryBendBack = 0.12;
// Feather half-thickness at the root, and how much it thins to the tip.
constexpr double primaryThickness = 0.45, tailThickness = 0.5, featherThinning = 0.2;
// A feather's half-width at its root, as a share of its widest.
constexpr double primaryRootShare = 0.55, tailRootShare = 0.45;
// How far the primaries droop over their length.
constexpr double primaryDroop = 2.2;
// Height of the primaries' roots.
constexpr double primaryRootHeight = 76.8;

// Tail feathers fanned about the bird's centre line behind the rump.
constexpr int tailFeathers = 7;
const Vec3 tailRoot{-28.0, 0.0, 78.3};
constexpr double tailSpread = 62.0;     // degrees between the outer shafts
constexpr double tailLength = 21.0;
constexpr double tailOuterShorter = 3.0;
constexpr double tailHalfWidth = 3.0;
constexpr double tailDrop = 7.6;
constexpr double tailStep = 0.15;  // each feather lies this much above the last
constexpr int tailRings = 5;

// A feather's half-width at `s` from root (0) to tip (1), as a share of its
// widest: narrow at the quill, widest past the middle, rounded off at the
// tip by the closing fan.
double featherOutline(double s, double rootShare) {
  return rootShare + (1.0 - rootShare) * std::sin(pi * (0.22 + 0.62 * s));
}

// The trailing edge pushed back into rounded feather tips between notches.
double scallop(double out) {
  if (out <= secondaryFrom || out >= secondaryTo) return 0.0;
  const double phase = (out - secondaryFrom) / (secondaryTo - secondaryFrom) * secondaryCount;
  const double local = phase - std::floor(phase);  // 0..1 across one feather
  const double taper = std::sin(pi * (out - secondaryFrom) / (secondaryTo - secondaryFrom));
  return secondaryDepth * std::sqrt(std::max(0.0, 1.0 - std::pow(2.0 * local - 1.0, 2))) *
         (0.4 + 0.6 * taper);
}

// The loop around the wing at one station: an aerofoil from the leading edge
// over the top to the trailing edge and back underneath.
std::vector<Vec3> wingLoop(double side, double out, double leading, double trailing,
                           double height, double thickness, int n) {
  std::vector<Vec3> loop;
  for (int k = 0; k < n; ++k) {
    const double angle = 2.0 * pi * k / n;
    const double chord = 0.5 * (1.0 - std::cos(angle));  // 0 leading edge, 1 trailing
    const double bulge = 2.6 * std::sqrt(chord) * (1.0 - chord);
    const double lift = std::sin(angle) >= 0 ? bulge : -0.55 * bulge;
    const double camber = 0.35 * thickness * std::sin(pi * chord);
    loop.push_back({leading + (trailing - leading) * chord, side * out,
                    height + camber + 0.5 * thickness * lift});
  }
  return loop;
}

void addWing(Surface& surface, double side) {
  std::vector<Row> rows;
  const double last = static_cast<double>(wingStations.size() - 1);
  for (int r = 0; r < wingRings; ++r) {
    const double t = last * r / (wingRings - 1);
    const auto value = [&](double WingStation::*field) {
      std::vector<double> keys;
      for (const WingStation& s : wingStations) keys.push_back(s.*field);
      return smoothValue(keys, t);
    };
    const double out = value(&WingStation::out);
    rows.push_back(addRow(surface,
                          wingLoop(side, out, value(&WingStation::leading),
                                   value(&WingStation::trailing) - scallop(out),
                                   value(&WingStation::height), value(&WingStation::thickness),
                                   r == 0 && side < 0 ? rightRootSides : wingSides),
                          r));
  }
  zipAll(surface, rows, true);
  const WingStation& tip = wingStations.back();
  capWithApex(surface, rows.back(),
              {0.5 * (tip.leading + tip.trailing), side * (tip.out + 1.0), tip.height}, wingRings);

  for (Primary p : primaries) {
    if (side < 0) p.length += rightReach;
    const double sweep = radians(p.sweep);
    const Vec3 root{p.along, side * p.out, primaryRootHeight};
    const Vec3 direction{-std::sin(sweep), side * std::cos(sweep), 0.0};
    std::vector<Vec3> spine;
    std::vector<double> width, thickness;
    for (int k = 0; k < primaryRings; ++k) {
      const double s = static_cast<double>(k) / primaryRings;
      // The shaft bends a little further back and droops towards its tip.
      const Vec3 bend{-primaryBendBack * p.length * s * s, 0.0, -primaryDroop * s * s};
      spine.push_back(root + direction * (p.length * s) + bend);
      width.push_back(p.halfWidth * featherOutline(s, primaryRootShare));
      thickness.push_back(primaryThickness - featherThinning * s);
    }
    const Vec3 tipPoint = root + direction * p.length +
                          Vec3{-primaryBendBack * p.length, 0.0, -primaryDroop};
    addBlade(surface, spine, birdUp, width, thickness, featherSides, tipPoint);
  }
}

void addTail(Surface& surface) {
  for (int f = 0; f < tailFeathers; ++f) {
    const double fromCentre = (f - 0.5 * (tailFeathers - 1)) / (0.5 * (tailFeathers - 1));
    const double angle = radians(0.5 * tailSpread * fromCentre);
    const double length = tailLength - tailOuterShorter * fromCentre * fromCentre;
    const Vec3 direction{-std::cos(angle), std::sin(angle), 0.0};
    std::vector<Vec3> spine;
    std::vector<double> width, thickness;
    for (int k = 0; k < tailRings; ++k) {
      const double s = static_cast<double>(k) / tailRings;
      spine.push_back(tailRoot + direction * (length * s) +
                      Vec3{0, 0, -tailDrop * s + tailStep * f});
      width.push_back(tailHalfWidth * featherOutline(s, tailRootShare));
      thickness.push_back(tailThickness - featherThinning * s);
    }
    const std::vector<Row> rows =
        addBlade(surface, spine, birdUp, width, thickness, featherSides,
                 tailRoot + direction * length + Vec3{0, 0, -tailDrop + tailStep * f});
    // The root is closed too: it starts inside the rump, but the fan's
    // feathers overlap there.
    capWithApex(surface, rows.front(), tailRoot - direction * 0.6 + Vec3{0, 0, tailStep * f}, -1);
  }
}

}  // namespace

BirdPart buildBirdWings() {
  BirdPart part;
  addWing(part.surface, -1.0);
  addWing(part.surface, 1.0);
  turnAboutZ(part.surface, 0, birdWingTurn);
  const int tailStart = part.surface.pointCount();
  addTail(part.surface);
  turnAboutZ(part.surface, tailStart, birdTorsoTurn);
  return part;
}
