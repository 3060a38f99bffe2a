// The ripple surface: a square height field of points tied to their eight
// neighbours by springs. A drop lifts a 2 x 2 block; the disturbance spreads
// in rings and fades. Drawn as triangle strips whose sphere-mapped normals
// make it reflect the bound texture. The program has one surface: its state
// is the record rippleState, its operations the object rippleSurface.
#pragma once
#include "scenes/water/vec3d.h"

// Points per side the storage holds; the grid size may not exceed it.
constexpr int rippleStorageSize = 100;
// The extent in x and z the grid spans, whatever its size.
constexpr double rippleGridExtent = 100.0;

// The surface's record. Rows and columns count from 0; the grids are indexed
// [row][column], and only the first gridSize rows and columns are in use.
// The grids start zeroed, as static storage does, until the grid is laid out.
struct RippleState {
  int gridSize = rippleStorageSize;  // points per side
  int dropHeight = 2;                // the height a drop gives its block
  double springFactor = 0.08;        // velocity gained per unit of force
  double texCoordStep = 0.01;        // texture coordinate from one point to the next
  Vec3d gridPoints[rippleStorageSize][rippleStorageSize];
  Vec3d gridNormals[rippleStorageSize][rippleStorageSize];
  double gridForces[rippleStorageSize][rippleStorageSize];
  double gridVelocities[rippleStorageSize][rippleStorageSize];
};

extern RippleState rippleState;

// One global object; its state is the record rippleState.
class RippleSurface {
 public:
  // Lays the grid out flat during static start-up; makes no GL call.
  RippleSurface();

  // Flat grid, its points spaced rippleGridExtent / gridSize apart in x and
  // z from 0; zero forces and velocities. Normals are left as they are.
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
};

extern RippleSurface rippleSurface;
