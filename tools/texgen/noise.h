// Seeded noise that tiles: every function takes texture coordinates u, v
// (one tile is 0..1 in each) and a whole number of lattice cells per tile,
// so its value at u + 1 or v + 1 equals its value at u, v. The lattice is
// driven by an integer hash of the seed, never by a shared random stream.
#pragma once
#include <cstdint>

// A well-mixed 32-bit hash of three integers.
uint32_t hashCell(int x, int y, uint32_t seed);

// A hash mapped into [0, 1).
float hashUnit(uint32_t hash);

// Gradient noise with cellsX x cellsY lattice cells per tile; about -1..1.
float gradientNoise(float u, float v, int cellsX, int cellsY, uint32_t seed);

// Octaves of gradient noise, each with twice the cells and gain times the
// weight of the one before; normalised to about -1..1.
float fractalNoise(float u, float v, int cellsX, int cellsY, int octaves, uint32_t seed,
                   float gain = 0.5f);

// Like fractalNoise, but summing the absolute values: billowy, 0..1.
float turbulence(float u, float v, int cellsX, int cellsY, int octaves, uint32_t seed,
                 float gain = 0.5f);

// Sharp crests where gradient noise crosses zero, 0..1 (1 on a crest).
float ridgedNoise(float u, float v, int cellsX, int cellsY, int octaves, uint32_t seed,
                  float gain = 0.5f);

// The nearest and second-nearest feature points of a cellular pattern with
// cells x cells jittered points per tile. Distances are in cell units.
struct CellSample {
  float nearest = 0;        // distance to the nearest point
  float secondNearest = 0;  // distance to the next one
  uint32_t id = 0;          // a hash naming the nearest point's cell
  float toNearestU = 0;     // offset from the sample to the nearest point, in cell units
  float toNearestV = 0;
};
CellSample cellularNoise(float u, float v, int cells, uint32_t seed, float jitter = 1.0f);
