// Evenly spread points with a spacing that varies over the plane: many random
// candidates, thinned one by one (always the most crowded one goes) until
// exactly the wanted number is left. The result has no clumps and no holes at
// the scale of the local spacing, which is what a good triangulation needs.
#pragma once
#include <cstdint>
#include <functional>
#include <random>
#include <vector>

struct PlanePoint {
  double x = 0, y = 0;
};

// Deterministic uniform numbers in [0, 1) from a fixed-seed Mersenne twister,
// made from its raw outputs (whose sequence the standard fixes) rather than
// through a library distribution, so every standard library gives the same.
class UnitRandom {
 public:
  explicit UnitRandom(std::uint32_t seed) : engine_(seed) {}
  double next();

 private:
  std::mt19937 engine_;
};

struct SpreadRequest {
  int count = 0;                                 // points to return
  double minX = 0, maxX = 0, minY = 0, maxY = 0;  // where candidates are drawn
  std::function<double(PlanePoint)> spacing;     // wanted distance to neighbours
  std::function<bool(PlanePoint)> allowed;       // false where no point may lie
  std::vector<PlanePoint> fixed;                 // kept points that crowd the others
  double candidatesPerPoint = 5.0;
  std::uint32_t seed = 1;
};

// Returns exactly request.count points (fewer only if the allowed area cannot
// hold that many candidates), none of them a fixed point.
std::vector<PlanePoint> spreadPoints(const SpreadRequest& request);
