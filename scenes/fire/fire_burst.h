// The burst of points that flies out of the centre while the fireballs
// converge: its start and its per-frame move.
#pragma once

// Frames a burst lives.
constexpr int burstLifetime = 120;

// A direction from three rand() values (x, y, z order) mapped to [-1, 1] and
// normalised: uniform in the cube, not on the sphere; no rejection.
void randomUnitVector(float* direction);

// Every particle to the centre with a fresh direction; the burst lives again.
void startBurst();

// One move: the first half along its directions, the second half along
// (dz, dx, dx), which keeps it in the plane y = z.
void moveBurst();
