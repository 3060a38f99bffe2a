#include "tools/modeller/tree_plan.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <stdexcept>
#include <string>

#include "scenes/wind/sway_groups.h"
#include "tools/modeller/tree_budget.h"
#include "tools/modeller/tree_crown.h"
#include "tools/modeller/tree_space.h"

namespace {

// The roots are the tree's last mesh.
int rootMeshOf(const CatalogueModel& tree) { return static_cast<int>(tree.meshes.size()); }

int trianglesOf(const CatalogueModel& tree, int mesh) { return tree.mesh(mesh).triangleCount(); }

// Quads of the leaf mesh that follows a bark mesh; 0 after the last mesh.
int leafQuadsAfter(const CatalogueModel& tree, int barkMesh) {
  return barkMesh < rootMeshOf(tree) ? trianglesOf(tree, barkMesh + 1) / 2 : 0;
}

// Bark vertices of the whole tree: its total less the leaf meshes' own. An
// open tube has sides x rings vertices and 2 sides (rings - 1) triangles, so
// the sides of all tubes together must come to this count minus half the
// bark triangles.
int barkVertexTotal(const CatalogueModel& tree) {
  int vertices = tree.totals().vertexCount();
  for (int mesh = 2; mesh <= rootMeshOf(tree); mesh += 2) vertices -= tree.mesh(mesh).vertexCount();
  return vertices;
}

// ---- Stems: the four stems share the trunk, then part for their groups.

// One stem per sway group, in the groups' order; its mesh is the group's
// stem mesh and its largest v the catalogue's figure for that mesh.
struct StemDesign {
  int sides;
  double twigFrom;                 // arc fraction where the stem's own twigs begin
  double branchFrom, branchTo;     // arc fractions where its branches may leave it
  std::vector<Vec3> controls;
  std::vector<double> radii;
};

const StemDesign stemDesigns[swayGroupCount] = {
    // Group 0 leans to the front (-y) and forks low.
    {10, 0.72, 0.58, 1.0,
     {{0, 0, 0}, {0, 0, 0.7}, {0, 0, 1.6}, {0.05, -0.14, 3.0}, {0.12, -0.55, 4.3},
      {0.22, -1.3, 5.3}, {0.3, -2.0, 6.2}},
     {0.68, 0.56, 0.50, 0.44, 0.37, 0.29, 0.22}},
    // Group 1 to the left (-x).
    {10, 0.62, 0.5, 1.0,
     {{0, 0, 0}, {0, 0, 0.7}, {0, 0, 1.6}, {-0.12, 0, 3.0}, {-0.6, -0.05, 4.4},
      {-1.4, -0.15, 5.7}, {-2.1, -0.25, 7.0}, {-2.6, -0.3, 8.2}},
     {0.66, 0.54, 0.48, 0.43, 0.37, 0.30, 0.24, 0.19}},
    // Group 2: a long limb up the right-hand side (+x).
    {12, 0.45, 0.38, 0.8,
     {{0, 0, 0}, {0, 0, 0.7}, {0, 0, 1.6}, {0.12, 0.02, 3.0}, {0.55, 0.05, 4.5},
      {1.3, 0.1, 6.2}, {2.1, 0.15, 8.2}, {2.8, 0.2, 10.2}, {3.2, 0.25, 12.0},
      {3.35, 0.2, 13.3}},
     {0.67, 0.55, 0.49, 0.44, 0.38, 0.32, 0.25, 0.17, 0.09, 0.025}},
    // Group 3: the leader, up the middle to the top, leaning back a little.
    {12, 0.6, 0.42, 0.82,
     {{0, 0, 0}, {0, 0, 0.7}, {0, 0, 1.6}, {-0.05, 0.08, 3.0}, {-0.1, 0.15, 4.5},
      {-0.2, 0.3, 6.5}, {-0.3, 0.45, 8.8}, {-0.38, 0.4, 11.2}, {-0.4, 0.2, 13.6},
      {-0.35, 0.0, 15.7}},
     {0.72, 0.60, 0.55, 0.49, 0.43, 0.36, 0.28, 0.19, 0.10, 0.03}},
};

// ---- Branches: each aims at a point of the crown's outline, in its group's
// part of the crown, and leaves its parent (the stem, or a bigger branch).

struct BranchDesign {
  int mesh;
  int parent;        // catalogue number of the parent limb; 0: the group's stem
  double elevation;  // where on the crown it reaches (degrees)
  double azimuth;
};

// Parents come before their children. Seen from the front (-y) every group
// shows: group 0 fills the front, group 1 the left, group 2 the right and
// group 3 the top and the back.
const BranchDesign branchDesigns[] = {
    {29, 0, -25, 275},  {21, 0, -22, 225},  {19, 0, -25, 322},  {31, 0, 5, 250},
    {27, 0, 5, 300},    {43, 0, 30, 275},   {23, 0, 25, 225},   {9, 29, -45, 262},
    {39, 21, -45, 232}, {13, 19, -45, 300}, {45, 19, -10, 338}, {11, 21, 0, 212},
    {25, 31, -10, 250}, {17, 27, -10, 290}, {35, 27, 15, 322},  {33, 43, 40, 300},
    {37, 43, 45, 255},  {41, 31, 20, 250},  {15, 23, 38, 220},
    {51, 0, 5, 180},    {53, 0, -30, 195},  {57, 0, -30, 160},  {59, 0, 28, 190},
    {49, 53, -5, 205},  {55, 51, 20, 155},
    {63, 0, -20, 0},    {67, 0, -25, 35},   {65, 0, 5, 25},
    {75, 0, 40, 120},   {77, 0, 45, 240},   {87, 0, 0, 90},     {71, 0, -25, 60},
    {89, 0, -25, 120},  {73, 0, 55, 330},   {81, 0, 60, 60},    {83, 0, 58, 180},
    {85, 0, 25, 60},    {79, 0, 48, 275},
};

// Shoots low on the first stem, where it leaves the trunk: a short sprout
// with a pair of leaves under the crown.
struct SproutDesign {
  int mesh;
  double at;       // arc fraction along the stem
  double azimuth;  // degrees about the stem, from its first normal
};
const SproutDesign sproutDesigns[] = {{3, 0.66, 200}, {5, 0.76, 320}, {7, 0.86, 80}};
constexpr int sproutSides = 3;
constexpr double sproutLength = 0.8;
constexpr double sproutRise = 25.0;  // degrees above the horizontal

// The roots, on the last mesh: a few flat flares round the foot of the trunk.
constexpr int rootCount = 5;
constexpr int rootSides = 6;
constexpr double rootAzimuths[rootCount] = {20, 95, 165, 235, 305};
constexpr double rootSpread = 1.45;

// Shapes and spacings.
constexpr int stemSamplesPerSpan = 12;
constexpr int branchSamples = 48;
constexpr int twigSamples = 12;
constexpr double reachFraction = 0.8;    // branches end this far out towards the outline
constexpr double branchLengthBase = 1.5; // a branch's wanted length: base + per half triangle
constexpr double branchLengthPerTriangle = 0.022;
constexpr double branchTipRadius = 0.014;
constexpr double twigTipRadius = 0.01;
constexpr double twigBaseRadius = 0.045;
constexpr double stemSpacing = 0.28;     // wanted ring spacing along stems
constexpr double branchSpacing = 0.35;
constexpr double twigSpacing = 0.2;
constexpr double twigShortest = 0.35;
constexpr double twigLongest = 1.3;
constexpr double twigBow = 0.15;         // sideways bow, as a share of the twig's length
constexpr double leafRoom = 0.25;        // twigs stop this far inside the outline
constexpr double branchLeafFrom = 0.7;   // leaves on a branch's own tip beyond this
constexpr double twigLeafFrom = 0.35;
constexpr double branchTwigFrom = 0.4;   // twigs grow on a branch beyond this
constexpr double goldenAngle = 137.50776;
constexpr double branchSag = 0.08;       // of a level branch's span, at its middle
constexpr double branchWiggle = 0.03;    // of a branch's span
constexpr double leastBranchAngle = 20.0;  // degrees between a branch and its parent
constexpr double mostBranchAngle = 75.0;
constexpr double branchGap = 0.6;        // branches closer than this on a parent crowd it
constexpr double sproutBaseRadius = 0.03;

std::uint32_t meshSeed(int mesh) { return 90001u + 7919u * static_cast<std::uint32_t>(mesh); }

// Main-limb sides by the mesh's size.
int branchSides(int halfTriangles) {
  if (halfTriangles >= 150) return 6;
  if (halfTriangles >= 60) return 5;
  return 4;
}

// Where a branch leaves its parent: about its wanted length from the target,
// at a natural angle to the parent, and not crowding the branches already
// there.
double attachPoint(const Curve& parent, double from, double to, Vec3 target,
                   double wantedLength, const std::vector<double>& taken) {
  constexpr int candidates = 60;
  double best = from, bestCost = 1e30;
  for (int i = 0; i <= candidates; ++i) {
    const double s = from + (to - from) * i / candidates;
    const Vec3 p = curvePoint(parent, s);
    const Vec3 toward = target - p;
    const double angle = std::acos(std::clamp(dot(normalized(toward), curveTangent(parent, s)), -1.0, 1.0));
    double cost = std::fabs(length(toward) - wantedLength);
    cost += 4.0 * std::max(0.0, leastBranchAngle * degree - angle) +
            4.0 * std::max(0.0, angle - mostBranchAngle * degree);
    for (double other : taken) {
      const double gap = length(curvePoint(parent, other) - p);
      cost += 1.5 * std::max(0.0, 1.0 - gap / branchGap);
    }
    if (cost < bestCost) {
      bestCost = cost;
      best = s;
    }
  }
  return best;
}

// A branch from its parent at arc fraction s towards target.
Curve branchCurve(const Curve& parent, double s, Vec3 target, double baseRadius,
                  TreeRandom& random) {
  const Vec3 start = curvePoint(parent, s);
  const Vec3 chord = target - start;
  const double span = length(chord);
  const Vec3 toward = normalized(chord);
  const Vec3 leave = normalized(toward + curveTangent(parent, s) * 0.5);
  const Vec3 arrive = normalized(toward + treeUp * 0.4);
  Curve curve = bezierCurve(start, start + leave * (0.35 * span), target - arrive * (0.3 * span),
                            target, branchSamples);
  // Long, level branches sag a little in the middle.
  const double level = 1.0 - std::fabs(toward.z);
  for (size_t i = 1; i + 1 < curve.points.size(); ++i) {
    const double t = static_cast<double>(i) / (curve.points.size() - 1);
    curve.points[i] = curve.points[i] - treeUp * (branchSag * span * level * std::sin(pi * t));
  }
  wiggleCurve(curve, random, branchWiggle * span);
  taperCurve(curve, baseRadius, branchTipRadius, 0.8);
  return curve;
}

// A twig from point p of a limb, leaving in direction d, bowed a little to
// one side and turning up towards its tip.
Curve twigCurve(Vec3 p, Vec3 d, double twigLength, double baseRadius, TreeRandom& random) {
  const Vec3 bow = across(d, random.range(0.0, 2.0 * pi)) * (twigBow * twigLength);
  Curve curve = bezierCurve(p, p + d * (0.35 * twigLength) + bow,
                            p + d * (0.75 * twigLength) + bow * 0.8 + treeUp * (0.1 * twigLength),
                            p + d * twigLength + treeUp * (0.15 * twigLength), twigSamples);
  taperCurve(curve, baseRadius, twigTipRadius, 1.0);
  return curve;
}

// count twigs along a limb between arc fractions from and to, reaching the
// given share of the way to the crown's outline. The limb is taken by value:
// it usually lives in plan.limbs, which the twigs grow.
void addTwigs(BarkPlan& plan, const Curve limb, double from, double to, int count,
              double reach, TreeRandom& random) {
  const double phase = random.range(0.0, 360.0);
  for (int i = 0; i < count; ++i) {
    const double s = std::min(to, from + (to - from) * (i + 0.5 + random.range(-0.3, 0.3)) / count);
    const Vec3 p = curvePoint(limb, s);
    const Vec3 t = curveTangent(limb, s);
    const double turn = (phase + goldenAngle * i + random.range(-20.0, 20.0)) * degree;
    const double spread = random.range(35.0, 65.0) * degree;
    const Vec3 side = across(t, turn);
    Vec3 d = normalized(t * std::cos(spread) + side * std::sin(spread));
    d = normalized(d + crownOutward(p) * 0.6 + treeUp * 0.25);
    const double room = reach * crownReach(p, d) - leafRoom;
    const double twigLength =
        std::clamp(room, twigShortest, twigLongest) * random.range(0.85, 1.1);
    const double baseRadius = std::min(twigBaseRadius, 0.6 * curveRadius(limb, s));
    LimbPlan twig;
    twig.curve = twigCurve(p, d, twigLength, baseRadius, random);
    twig.leafFrom = twigLeafFrom;
    plan.limbs.push_back(twig);
  }
}

// Sides times segments that the mesh's tubes must add up to.
int halfTriangles(const BarkPlan& plan) { return plan.barkTriangles / 2; }

// Whether the mesh is one of the shoots on the first stem.
bool isSprout(int mesh) {
  for (const SproutDesign& sprout : sproutDesigns) {
    if (sprout.mesh == mesh) return true;
  }
  return false;
}

// The stem design of a group's stem mesh; null for every other mesh.
const StemDesign* stemDesignOf(int mesh) {
  for (int g = 0; g < swayGroupCount; ++g) {
    if (swayGroups[g].stemMesh == mesh) return &stemDesigns[g];
  }
  return nullptr;
}

// Meshes that grow twigs: stems and branches.
bool growsTwigs(const CatalogueModel& tree, int mesh) {
  return mesh != rootMeshOf(tree) && !isSprout(mesh);
}

// Sides of a mesh's main limb (of all its roots, for the root mesh).
int mainSides(const CatalogueModel& tree, int mesh) {
  if (const StemDesign* stem = stemDesignOf(mesh)) return stem->sides;
  if (mesh == rootMeshOf(tree)) return rootSides * rootCount;
  if (isSprout(mesh)) return sproutSides;
  return branchSides(trianglesOf(tree, mesh) / 2);
}

// Twigs per mesh and which meshes get one four-sided twig, so that the sides
// of all tubes add up to what the bark's vertex count asks.
void chooseTwigCounts(const CatalogueModel& tree, std::map<int, int>& twigCounts,
                      std::map<int, int>& thickTwigs) {
  const int meshCount = rootMeshOf(tree);
  int halfSum = 0;
  for (int mesh = 1; mesh <= meshCount; mesh += 2) halfSum += trianglesOf(tree, mesh) / 2;
  const int sidesWanted = barkVertexTotal(tree) - halfSum;
  const auto countFor = [&](int mesh, double leavesPerTwig) {
    return std::max(1, static_cast<int>(std::lround(leafQuadsAfter(tree, mesh) / leavesPerTwig)));
  };
  const auto sidesFor = [&](double leavesPerTwig) {
    int sides = 0;
    for (int mesh = 1; mesh <= meshCount; mesh += 2) {
      sides += mainSides(tree, mesh);
      if (growsTwigs(tree, mesh)) sides += 3 * countFor(mesh, leavesPerTwig);
    }
    return sides;
  };
  // The most twigs whose sides stay within the count; the last few sides
  // go to four-sided twigs on the leafiest meshes.
  double chosen = 0;
  int bestSides = -1;
  for (int step = 0; step <= 600; ++step) {
    const double leavesPerTwig = 6.0 + 0.01 * step;
    const int sides = sidesFor(leavesPerTwig);
    if (sides <= sidesWanted && sides > bestSides) {
      bestSides = sides;
      chosen = leavesPerTwig;
    }
  }
  if (bestSides < 0) throw std::runtime_error("tree: too many tube sides");
  std::vector<std::pair<int, int>> byLeaves;
  for (int mesh = 1; mesh <= meshCount; mesh += 2) {
    if (!growsTwigs(tree, mesh)) continue;
    twigCounts[mesh] = countFor(mesh, chosen);
    byLeaves.push_back({-trianglesOf(tree, mesh + 1), mesh});
  }
  std::sort(byLeaves.begin(), byLeaves.end());
  const int extra = sidesWanted - bestSides;
  if (extra > static_cast<int>(byLeaves.size())) throw std::runtime_error("tree: sides left over");
  for (int i = 0; i < extra; ++i) thickTwigs[byLeaves[i].second] = 1;
}

// Sets every limb's segments so the mesh meets its triangle count.
void fitBudget(BarkPlan& plan, int firstTwig, bool rootMesh) {
  std::vector<SegmentWish> wishes;
  for (size_t i = 0; i < plan.limbs.size(); ++i) {
    const LimbPlan& limb = plan.limbs[i];
    const double limbLength = curveLength(limb.curve);
    SegmentWish wish{limb.sides, 1, 1, 1};
    if (static_cast<int>(i) >= firstTwig) {
      wish.wanted = std::clamp(static_cast<int>(std::lround(limbLength / twigSpacing)), 2, 8);
      wish.least = 1;
      wish.most = 16;
    } else if (rootMesh || isSprout(plan.mesh)) {
      wish.wanted = rootMesh ? 4 : 2;
      wish.least = wish.most = wish.wanted;
    } else {
      const double spacing = plan.stemVmax > 0 ? stemSpacing : branchSpacing;
      wish.wanted = std::max(3, static_cast<int>(std::lround(limbLength / spacing)));
      wish.least = std::max(3, wish.wanted / 2);
      wish.most = 2 * wish.wanted + 4;
    }
    wishes.push_back(wish);
  }
  const std::vector<int> segments = fitSegments(wishes, halfTriangles(plan));
  if (segments.empty()) {
    throw std::runtime_error("tree: bark mesh " + std::to_string(plan.mesh) +
                             " cannot meet its triangle count");
  }
  for (size_t i = 0; i < plan.limbs.size(); ++i) plan.limbs[i].segments = segments[i];
}

// The plans of the bark meshes, by mesh number, while they grow.
using PlanMap = std::map<int, BarkPlan>;

// An empty plan for every bark mesh with its group and its counts.
PlanMap startPlans(const CatalogueModel& tree) {
  PlanMap plans;
  for (int mesh = 1; mesh <= rootMeshOf(tree); mesh += 2) {
    BarkPlan& plan = plans[mesh];
    plan.mesh = mesh;
    plan.group = swayGroupOf(mesh);
    plan.barkTriangles = trianglesOf(tree, mesh);
    plan.leafQuads = leafQuadsAfter(tree, mesh);
  }
  return plans;
}

// Stems, and their own twigs near their ends.
void planStems(const CatalogueModel& tree, PlanMap& plans, std::map<int, int>& twigCounts) {
  for (int g = 0; g < swayGroupCount; ++g) {
    const int mesh = swayGroups[g].stemMesh;
    const StemDesign& stem = stemDesigns[g];
    BarkPlan& plan = plans[mesh];
    TreeRandom random(meshSeed(mesh));
    LimbPlan main;
    main.curve = splineCurve(stem.controls, stem.radii, stemSamplesPerSpan);
    main.sides = stem.sides;
    plan.stemVmax = tree.mesh(mesh).largestV();
    plan.limbs.push_back(main);
    addTwigs(plan, plan.limbs[0].curve, stem.twigFrom, 1.0, twigCounts[mesh], 1.0, random);
  }
}

// Branches, each from its parent towards its part of the crown.
void planBranches(PlanMap& plans, std::map<int, int>& twigCounts) {
  std::map<int, std::vector<double>> taken;  // attach points used on each parent
  for (const BranchDesign& design : branchDesigns) {
    BarkPlan& plan = plans[design.mesh];
    TreeRandom random(meshSeed(design.mesh));
    const int parentMesh = design.parent ? design.parent : swayGroups[plan.group].stemMesh;
    const Curve& parent = plans[parentMesh].limbs[0].curve;
    double from = 0.2, to = 0.75;
    if (const StemDesign* stem = stemDesignOf(parentMesh)) {
      from = stem->branchFrom;
      to = stem->branchTo;
    }
    const Vec3 edge = crownPoint(design.elevation + random.range(-4.0, 4.0),
                                 design.azimuth + random.range(-6.0, 6.0));
    // Each branch fills its own lobe of the crown, some further out than others.
    const double reach = random.range(0.75, 1.05);
    const Vec3 target = crownCentre() + (edge - crownCentre()) * (reachFraction * reach);
    const double wantedLength = branchLengthBase + branchLengthPerTriangle * halfTriangles(plan);
    const double s = attachPoint(parent, from, to, target, wantedLength, taken[parentMesh]);
    taken[parentMesh].push_back(s);
    const double baseRadius =
        std::min(0.04 + 0.0008 * halfTriangles(plan), 0.7 * curveRadius(parent, s));
    LimbPlan main;
    main.curve = branchCurve(parent, s, target, baseRadius, random);
    main.sides = branchSides(halfTriangles(plan));
    main.leafFrom = branchLeafFrom;
    plan.limbs.push_back(main);
    addTwigs(plan, plan.limbs[0].curve, branchTwigFrom, 0.98, twigCounts[design.mesh], reach, random);
  }
}

// Sprouts on the first stem, leaving it just under the bark.
void planSprouts(PlanMap& plans) {
  for (const SproutDesign& sprout : sproutDesigns) {
    BarkPlan& plan = plans[sprout.mesh];
    TreeRandom random(meshSeed(sprout.mesh));
    const Curve& stem = plans[swayGroups[plan.group].stemMesh].limbs[0].curve;
    const double rise = sproutRise * degree;
    Vec3 out = across(curveTangent(stem, sprout.at), sprout.azimuth * degree);
    out = normalized(out - treeUp * dot(out, treeUp));
    const Vec3 base = curvePoint(stem, sprout.at) + out * (0.85 * curveRadius(stem, sprout.at));
    const Vec3 d = normalized(out * std::cos(rise) + treeUp * std::sin(rise));
    LimbPlan main;
    main.curve = twigCurve(base, d, sproutLength, sproutBaseRadius, random);
    main.sides = sproutSides;
    main.leafFrom = 0.6;
    plan.limbs.push_back(main);
  }
}

// Roots: flares that leave the trunk above the ground and run out along it,
// half sunk.
void planRoots(BarkPlan& plan) {
  for (int i = 0; i < rootCount; ++i) {
    const double a = rootAzimuths[i] * degree;
    const Vec3 out{std::cos(a), std::sin(a), 0};
    LimbPlan root;
    root.curve = splineCurve({out * 0.2 + treeUp * 1.1, out * 0.6 + treeUp * 0.45,
                              out * 1.0 + treeUp * 0.15, out * rootSpread + treeUp * 0.0},
                             {0.42, 0.3, 0.16, 0.07}, 8);
    root.sides = rootSides;
    plan.limbs.push_back(root);
  }
}

}  // namespace

std::vector<BarkPlan> planTree(const CatalogueModel& tree) {
  std::map<int, int> twigCounts, thickTwigs;
  chooseTwigCounts(tree, twigCounts, thickTwigs);

  PlanMap plans = startPlans(tree);
  planStems(tree, plans, twigCounts);
  planBranches(plans, twigCounts);
  planSprouts(plans);
  const int rootMesh = rootMeshOf(tree);
  planRoots(plans[rootMesh]);

  // Every limb's segments, in mesh order.
  std::vector<BarkPlan> ordered;
  for (auto& [mesh, plan] : plans) {
    const int firstTwig = mesh == rootMesh ? rootCount : 1;
    if (thickTwigs.count(mesh)) plan.limbs[firstTwig].sides = 4;
    fitBudget(plan, firstTwig, mesh == rootMesh);
    ordered.push_back(std::move(plan));
  }
  return ordered;
}
