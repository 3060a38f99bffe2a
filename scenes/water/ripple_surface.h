// The ripple surface: a square height field of points tied to their eight
// neighbours by springs. A drop lifts a 2 x 2 block; the disturbance spreads
// in rings and fades. Drawn as triangle strips whose sphere-mapped normals
// make it reflect the bound texture. All state is class-wide: the program
// has one surface.
#pragma once
#include "scenes/water/vec3d.h"

// Points per side the storage holds; the grid size may not exceed it.
constexpr int rippleStorageSize = 100;

class RippleSurface {
 public:
  // Stores the size and lays the grid out flat; makes no GL call.
  explicit RippleSurface(int size);
  ~RippleSurface();

  // Flat grid, spaced so the points span 0 to 100 in x and z; zero forces
  // and velocities. Normals are left as they are.
  void initGrid();

  // One random value (0 to 32767) scaled to 0 .. max + 1; max + 1 only for
  // the top value 32767.
  int randomIndex(int max);
  // The scaling randomIndex applies to one random value.
  static int indexFromRandom(int value, int max);

  // Sets a randomly placed 2 x 2 block to the drop height.
  void makeDrop();
  // Sets the 2 x 2 block with corner (row, column) to the drop height. A
  // corner past the second-to-last row or column is moved back to it, so the
  // block always lies inside the grid.
  void dropAt(int row, int column);

  // Texture generation and filtering for the surface; the caller saves and
  // restores the attributes around it.
  void setupSurfaceState();
  // Draws the surface as it stands, then advances it one step.
  void drawAndStep();
  // One triangle strip per pair of neighbouring columns.
  void drawSurface();
  // Normals from the current heights, then one spring step.
  void stepSimulation();
  // Unit normal of every point from its neighbours' heights.
  void computeNormals();
  // Spring forces, velocities, heights and the per-step shrink.
  void applySprings();

  static int gridSize;
  static int dropHeight;
  static double springFactor;
  static double texCoordStep;

  // [row][column]
  static Vec3d gridPoints[rippleStorageSize][rippleStorageSize];
  static Vec3d gridNormals[rippleStorageSize][rippleStorageSize];
  static double gridForces[rippleStorageSize][rippleStorageSize];
  static double gridVelocities[rippleStorageSize][rippleStorageSize];
};

extern RippleSurface rippleSurface;
