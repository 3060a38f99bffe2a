// The legs and feet. A leg runs from the hip inside the body down the thigh,
// wrapped in two layers of feathers, to the backward-bending ankle joint,
// then forward and down the scaled shank into the foot. A foot has three
// webbed toes spread forwards and a short one behind, each ending in a claw
// that curls down to the ground, around a heel pad.
#include <cmath>

#include "tools/modeller/bird_parts.h"
#include "tools/modeller/bird_shapes.h"

namespace {

// The leg's centre line for the right leg, hip to foot (y mirrors for the
// left one), and its radius there.
const std::vector<Vec3> legKeys = {{1.0, -5.2, 70.0},  {0.6, -5.1, 67.6},   {-2.0, -4.3, 64.0},
                                   {-5.3, -3.0, 60.8}, {-7.35, -2.55, 59.0}, {-6.4, -2.9, 56.3},
                                   {-4.5, -3.9, 52.7}, {-3.0, -4.5, 50.2}, {-2.5, -4.75, 48.9}};
const std::vector<double> legRadius = {2.3, 2.25, 1.85, 1.5, 1.45, 1.05, 0.9, 0.95, 1.1};
// The leg's loops start at its front.
const Vec3 legFront{1, 0, 0};
constexpr int legRings = 22;
// The bird stands with its left foot and hip a little forward and in, and
// that knee bent a little further back: how far each key of the left leg
// moves (after mirroring), and the foot with it.
const std::vector<Vec3> leftLegShift = {{1.35, -1.2, 0}, {1.3, -1.15, 0}, {0.9, -0.8, 0},
                                        {0.0, 0.0, 0},   {-0.3, 0.25, 0}, {0.0, 0.0, 0},
                                        {0.3, -0.3, 0},  {0.6, -0.6, 0},  {0.75, -0.7, 0}};
constexpr int legSides = 16;

// Feather layers over the thigh: from and to (key steps), radius at the top
// and at the fringe, points around, and rounded feather tips along the fringe.
struct Layer {
  double from, to, topRadius, fringeRadius;
  int points, tips;
};
const std::vector<Layer> layers = {{0.0, 1.55, 2.6, 3.1, 24, 8}, {1.1, 2.45, 2.3, 2.55, 18, 6}};
constexpr double fringeDepth = 0.55;
constexpr double fringeFlare = 0.15;  // how far each tip stands out

// Scales across the shank: how many, where they start and end (key steps),
// their length along the shank, how far they stand out, and points around.
constexpr int scaleCount = 6;
constexpr double scalesFrom = 4.35, scalesTo = 7.3;
constexpr double scaleLength = 0.5;
constexpr double scaleLift = 0.16;
constexpr double scaleTopShare = 0.4;  // of the lift, at its upper edge
constexpr int scalePoints = 12;

// The foot, for the right foot: the heel pad centre, and each toe's
// direction (degrees left of straight ahead), length and radius at the root.
const Vec3 heelCentre{-2.4, -4.8, 49.15};
constexpr double heelHalfLength = 1.5, heelHalfHeight = 0.95;
constexpr int padRings = 3, padSides = 10;
struct Toe {
  double angle, length, radius;
};
const std::vector<Toe> toes = {{0.0, 7.3, 0.8}, {44.0, 4.9, 0.74}, {-44.0, 5.1, 0.74},
                               {180.0, 2.5, 0.7}};
constexpr int toeRings = 5;
constexpr int toeSides = 6;
constexpr int clawRings = 2;
constexpr int clawSides = 6;
constexpr double toeArch = 0.45;  // how far a toe's middle rises above its ends
// Webs between the middle toe and each side toe: rows from the root out, and
// how far the free edge curves in from a straight line between the toes.
constexpr int webRows = 6;
constexpr double webStart = 0.12;   // of the toes' length
constexpr double webReach = 0.82;
constexpr double webCurve = 0.28;   // of the gap between the toes

// The leg's keys for one side.
std::vector<Vec3> sideKeys(BirdSide side) {
  std::vector<Vec3> keys = legKeys;
  for (size_t i = 0; i < keys.size(); ++i) {
    keys[i].y *= mirrorOf(side);
    if (side == BirdSide::left) keys[i] = keys[i] + leftLegShift[i];
  }
  return keys;
}

// A short band around the leg between two key steps, its loops from
// loopAt(row, frame).
std::vector<Row> addBand(Surface& surface, const std::vector<Vec3>& keys,
                         const std::vector<double>& steps,
                         const std::function<std::vector<Vec3>(int, const Frame&)>& loopAt) {
  std::vector<Vec3> path;
  for (double t : steps) path.push_back(smoothPoint(keys, t));
  const std::vector<Frame> frames = carriedFrames(path, legFront);
  std::vector<Row> rows;
  for (size_t k = 0; k < steps.size(); ++k) {
    rows.push_back(addRow(surface, loopAt(static_cast<int>(k), frames[k]), static_cast<int>(k)));
  }
  zipAll(surface, rows, true);
  return rows;
}

}  // namespace

BirdPart buildBirdLeg(BirdSide side) {
  BirdPart part;
  Surface& surface = part.surface;
  const std::vector<Vec3> keys = sideKeys(side);

  // The bare leg: one tube from hip to foot.
  const std::vector<double> steps = evenSteps(keys, legRings);
  std::vector<Vec3> path;
  std::vector<double> radius;
  for (double t : steps) {
    path.push_back(smoothPoint(keys, t));
    radius.push_back(smoothValue(legRadius, t));
  }
  const std::vector<int> sides(legRings, legSides);
  const auto round = [&](int k, const Frame& frame, int n) {
    return ellipseLoop(frame, n, radius[k], radius[k]);
  };
  const std::vector<Row> core = addTubeRows(surface, path, legFront, sides, round);

  // Feather layers: each flares from its top to a fringe of rounded tips.
  for (const Layer& layer : layers) {
    const double middle = 0.5 * (layer.from + layer.to);
    addBand(surface, keys, {layer.from, middle, layer.to}, [&](int row, const Frame& frame) {
      std::vector<Vec3> loop;
      for (int k = 0; k < layer.points; ++k) {
        const double angle = 2.0 * pi * k / layer.points;
        double r = layer.topRadius + (layer.fringeRadius - layer.topRadius) * row / 2.0;
        double drop = 0.0;
        if (row == 2) {
          const double lobe = 0.5 + 0.5 * std::cos(layer.tips * angle);
          drop = fringeDepth * lobe;
          r += fringeFlare * lobe;
        }
        loop.push_back(frame.origin + frame.normal * (r * std::cos(angle)) +
                       frame.binormal * (r * std::sin(angle)) + frame.tangent * drop);
      }
      return loop;
    });
  }

  // Scales down the shank: short bands, each standing out most at its lower
  // edge so that it laps over the next.
  for (int s = 0; s < scaleCount; ++s) {
    const double from = scalesFrom + (scalesTo - scalesFrom) * s / scaleCount;
    const double base = smoothValue(legRadius, from);
    // The scale's length in key steps, from the shank's length per step there.
    const double perStep = 2.0 * length(smoothPoint(keys, from + 0.5) - smoothPoint(keys, from));
    const double to = from + scaleLength / perStep;
    addBand(surface, keys, {from, to}, [&](int row, const Frame& frame) {
      const double r = base + scaleLift * (row == 0 ? scaleTopShare : 1.0);
      return ellipseLoop(frame, scalePoints, r, r);
    });
  }

  // Seams run up the back and sides of the leg from the foot.
  std::vector<Row> upward(core.rbegin(), core.rend());
  for (double fraction : {0.5, 0.25, 0.75, 0.0, 0.125, 0.375, 0.625, 0.875}) {
    part.seams.push_back(pathAcross(surface, upward, fraction, legRings - 1));
  }
  return part;
}

namespace {

// The heel pad: a flattened ball round the heel centre, long along the foot.
void addHeelPad(Surface& surface, Vec3 heel) {
  std::vector<Row> pad;
  for (int r = 1; r <= padRings; ++r) {
    const double polar = pi * r / (padRings + 1);
    Frame ring;
    ring.origin = heel + Vec3{-heelHalfLength * std::cos(polar), 0, 0};
    ring.tangent = {1, 0, 0};
    ring.normal = {0, 1, 0};
    ring.binormal = {0, 0, 1};
    pad.push_back(addRow(surface,
                         ellipseLoop(ring, padSides, heelHalfLength * std::sin(polar),
                                     heelHalfHeight * std::sin(polar)),
                         r));
  }
  zipAll(surface, pad, true);
  capWithApex(surface, pad.front(), heel + Vec3{-heelHalfLength, 0, 0}, 0);
  capWithApex(surface, pad.back(), heel + Vec3{heelHalfLength, 0, 0}, padRings + 1);
}

// A claw: a cone curling down from the end of a toe (its last point, of
// radius r0) to a point on the ground.
void addClaw(Surface& surface, Vec3 end, double r0, Vec3 direction, double ground) {
  std::vector<Vec3> clawPath;
  for (int k = 0; k < clawRings; ++k) {
    const double s = static_cast<double>(k) / clawRings;
    clawPath.push_back(end + direction * (0.9 * s) + Vec3{0, 0, -r0 * s * s});
  }
  const std::vector<int> clawSideCounts(clawRings, clawSides);
  const auto cone = [&](int k, const Frame& frame, int n) {
    const double r = r0 * (1.0 - 0.75 * k / clawRings);
    return ellipseLoop(frame, n, r, r);
  };
  const std::vector<Row> claw =
      addTubeRows(surface, clawPath, birdUp, clawSideCounts, cone, toeRings);
  capWithApex(surface, claw.back(), end + direction * 1.3 + Vec3{0, 0, ground - end.z},
              toeRings + clawRings);
}

// A toe from the heel: an arched tube resting on the ground that tapers to
// its claw, with two seams along it. Gives the toe's centre line, root to tip.
std::vector<Vec3> addToe(BirdPart& part, Vec3 heel, const Toe& toe, double mirror, double ground) {
  const double a = radians(toe.angle) * mirror;
  const Vec3 direction{std::cos(a), std::sin(a), 0.0};
  std::vector<Vec3> path;
  std::vector<double> radius;
  for (int k = 0; k < toeRings; ++k) {
    const double s = static_cast<double>(k) / (toeRings - 1);
    const double lift = toeArch * std::sin(pi * s);
    const double r = toe.radius * (1.0 - 0.35 * s);
    path.push_back(heel + direction * (toe.length * s) +
                   Vec3{0, 0, ground + r + lift - heel.z});
    radius.push_back(r);
  }
  const std::vector<int> sides(toeRings, toeSides);
  const auto round = [&](int k, const Frame& frame, int n) {
    return ellipseLoop(frame, n, radius[k], radius[k]);
  };
  const std::vector<Row> rows = addTubeRows(part.surface, path, birdUp, sides, round);
  addClaw(part.surface, path.back(), radius.back(), direction, ground);
  part.seams.push_back(pathAcross(part.surface, rows, 0.5, toeRings - 1));
  part.seams.push_back(pathAcross(part.surface, rows, 0.0, toeRings - 1));
  return path;
}

// A web between the middle toe and a side toe, from near their roots out,
// its free edge curving in towards the heel.
void addWeb(Surface& surface, const std::vector<Vec3>& middle, const std::vector<Vec3>& other,
            Vec3 heel) {
  std::vector<Row> rows;
  for (int r = 0; r < webRows; ++r) {
    const double s = webStart + (webReach - webStart) * r / (webRows - 1);
    const double t = s * (toeRings - 1);
    const Vec3 a = smoothPoint(middle, t), b = smoothPoint(other, t);
    Vec3 centre = lerp(a, b, 0.5);
    if (r == webRows - 1) centre = centre - (centre - heel) * webCurve;
    // The web starts narrow between the toes' roots, as a single edge.
    if (r == 0) {
      rows.push_back(addRow(surface, {a, b}, r));
    } else {
      rows.push_back(addRow(surface, {a, centre + Vec3{0, 0, 0.05}, b}, r));
    }
  }
  zipAll(surface, rows, false);
}

}  // namespace

// The heel pad, the toes in the order of their table (the middle toe
// first), and the webs from the middle toe to the side toes (the next two).
BirdPart buildBirdFoot(BirdSide side, double ground) {
  BirdPart part;
  const double mirror = mirrorOf(side);
  Vec3 heel = heelCentre;
  heel.y *= mirror;
  if (side == BirdSide::left) heel = heel + leftLegShift.back();

  addHeelPad(part.surface, heel);
  std::vector<std::vector<Vec3>> toeLines;
  for (const Toe& toe : toes) toeLines.push_back(addToe(part, heel, toe, mirror, ground));
  for (int sideToe = 1; sideToe <= 2; ++sideToe) {
    addWeb(part.surface, toeLines[0], toeLines[sideToe], heel);
  }
  return part;
}
