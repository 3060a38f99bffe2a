// Building blocks with known counts, from which the models are made. Every
// primitive appends to a MeshBuilder and returns the indices it created, so a
// model can stitch pieces together or cap them.
//
// Counts (V vertices, T triangles, UV texture coordinates when textured):
//   ring of s points                      V = s
//   bridge of two closed rings of s       T = 2s   (open rows: 2(s-1))
//   fan from a centre to a closed ring    T = s
//   lathe / tube of r rings of s sides    V = s r, T = 2 s (r-1), UV = (s+1) r
//   torus of M x m segments               V = M m, T = 2 M m, UV = (M+1)(m+1)
//   UV sphere of s slices, k stacks       V = 2 + s (k-1), T = 2 s (k-1)
//   grid of r rows, c columns             V = r c, T = 2 (r-1)(c-1), UV = r c
#pragma once
#include <functional>
#include <utility>
#include <vector>

#include "tools/modeller/mesh_builder.h"

// Vertex indices around a loop (closed) or along a row (open).
using Ring = std::vector<int>;
// UV indices matching a ring: s+1 entries for a closed ring of s (the seam
// repeated with u one turn on), s entries for an open row.
using UvRow = std::vector<int>;

// s vertices around the frame's tangent at the given radius.
Ring addRing(MeshBuilder& mesh, const Frame& frame, int sides, double radius,
             double startAngle = 0.0);

// count UV entries with u evenly from u0 to u1 and the given v.
UvRow addUvRow(MeshBuilder& mesh, int count, double u0, double u1, double v);

// Joins ring a to ring b (same size) with two triangles per quad. Leave the UV
// rows empty for an untextured mesh.
void bridge(MeshBuilder& mesh, const Ring& a, const Ring& b, bool closed, const UvRow& uvA = {},
            const UvRow& uvB = {});

// Joins each ring to the next, in order; uvRows holds one row per ring, or
// none for an untextured mesh.
void bridgeRun(MeshBuilder& mesh, const std::vector<Ring>& rings, const std::vector<UvRow>& uvRows,
               bool closed);

// Closes a closed ring with a fan from a centre vertex; reverse flips the
// winding (use it for the cap at the other end).
void fan(MeshBuilder& mesh, int centre, const Ring& ring, bool reverse, int uvCentre = -1,
         const UvRow& uvRing = {});

// Frames along a polyline, carried without twist (parallel transport) from
// the given normal at its start.
std::vector<Frame> carryFrames(const std::vector<Vec3>& path, Vec3 firstNormal);

// The same, starting from a normal chosen across the first segment.
std::vector<Frame> pathFrames(const std::vector<Vec3>& path);

// A surface of revolution about the z axis through centre: one ring per
// profile point (radius, height). Textured: u runs 0..uRepeat around, v is
// the profile's arc length times vPerUnit.
std::vector<Ring> addLathe(MeshBuilder& mesh, const std::vector<std::pair<double, double>>& profile,
                           int sides, Vec3 centre, bool textured, double uRepeat = 1.0,
                           double vPerUnit = 1.0);

// An open tube (generalised cylinder) along a path with a radius per point.
// Textured: u runs 0..uRepeat around, v is the arc length times vPerUnit.
std::vector<Ring> addTube(MeshBuilder& mesh, const std::vector<Vec3>& path,
                          const std::vector<double>& radii, int sides, bool textured,
                          double uRepeat = 1.0, double vPerUnit = 1.0);

// A torus about the frame's tangent.
void addTorus(MeshBuilder& mesh, const Frame& frame, double majorRadius, double minorRadius,
              int majorSegments, int minorSegments, bool textured);

// A sphere of slices x stacks with a vertex at each pole (z axis).
void addUvSphere(MeshBuilder& mesh, Vec3 centre, double radius, int slices, int stacks,
                 bool textured);

// A grid of rows x columns vertices placed by at(row, column).
std::vector<Ring> addGrid(MeshBuilder& mesh, int rows, int columns,
                          const std::function<Vec3(int, int)>& at, bool textured,
                          double uScale = 1.0, double vScale = 1.0);
