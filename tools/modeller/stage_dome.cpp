// A dome: two shells (outer and inner, 16 segments x 8 rings and a pole each)
// joined by a flat rim at the base, 258 vertices and 512 triangles. Sixteen
// windows pierce both walls: each removes one quad from either shell and lines
// the hole with a four-sided tunnel, 4 triangles more per window, 576 in all.
// The windows sit in two bands, on even segments in the lower band and odd
// segments in the upper one, so no two of them share a vertex.
//
// Drawing order matters for a translucent dome drawn with depth testing: the
// inner shell and the window linings go first, the outer shell last, so the
// outer wall always adds its light over the inner one.
#include <array>
#include <cmath>

#include "tools/modeller/mesh_builder.h"
#include "tools/modeller/primitives.h"
#include "tools/modeller/stage_parts.h"

namespace {

constexpr int domeSegments = 16;
constexpr int domeRings = 8;
constexpr double domeWall = 1.2;
constexpr double degrees = pi / 180.0;
// Elevation of each ring above the base, in degrees; the pole is at 90.
constexpr std::array<double, domeRings> ringElevation = {0.0,  10.0, 20.0, 34.0,
                                                         44.0, 58.0, 68.0, 79.0};
// Bands (between ring k and k + 1) that hold windows, and the segment parity
// of the windows in each.
constexpr int lowerWindowBand = 2;
constexpr int upperWindowBand = 4;

// Whether the quad of this band and segment is a window.
bool isWindow(int band, int segment) {
  return (band == lowerWindowBand && segment % 2 == 0) ||
         (band == upperWindowBand && segment % 2 == 1);
}

struct Shell {
  std::vector<Ring> rings;
  int pole = -1;
};

// An ellipsoidal shell over the base plane z = 0 about the origin.
Shell addShell(MeshBuilder& mesh, double radius, double height) {
  Shell shell;
  for (double elevation : ringElevation) {
    Frame frame;
    frame.origin = {0, 0, height * std::sin(elevation * degrees)};
    shell.rings.push_back(addRing(mesh, frame, domeSegments, radius * std::cos(elevation * degrees)));
  }
  shell.pole = mesh.vertex({0, 0, height});
  return shell;
}

// One quad over a0 a1 (lower ring) and b0 b1 (upper ring), split along a0-b1;
// reversed flips it to face the other way.
void quad(MeshBuilder& mesh, int a0, int a1, int b0, int b1, bool reversed) {
  if (reversed) {
    mesh.triangle(a0, b1, a1);
    mesh.triangle(b1, a0, b0);
  } else {
    mesh.triangle(a0, a1, b1);
    mesh.triangle(b1, b0, a0);
  }
}

// The bands of a shell, leaving the window quads open, then its pole cap.
void addShellSurface(MeshBuilder& mesh, const Shell& shell, bool inward) {
  for (int k = 0; k + 1 < domeRings; ++k) {
    const Ring& a = shell.rings[k];
    const Ring& b = shell.rings[k + 1];
    for (int s = 0; s < domeSegments; ++s) {
      if (isWindow(k, s)) continue;
      const int t = (s + 1) % domeSegments;
      quad(mesh, a[s], a[t], b[s], b[t], inward);
    }
  }
  fan(mesh, shell.pole, shell.rings.back(), inward);
}

}  // namespace

// Inner wall, base rim, window linings, outer wall, fitted into the box.
MeshData buildStageDome(const std::string& name, const Box& box) {
  const double radius = 0.5 * (box.max[0] - box.min[0]);
  const double height = box.max[2] - box.min[2];
  MeshBuilder mesh(name);
  const Shell outer = addShell(mesh, radius, height);
  const Shell inner = addShell(mesh, radius - domeWall, height - domeWall);

  addShellSurface(mesh, inner, true);

  // The flat rim joining the two walls at the base, facing down.
  const Ring& outerBase = outer.rings.front();
  const Ring& innerBase = inner.rings.front();
  for (int s = 0; s < domeSegments; ++s) {
    const int t = (s + 1) % domeSegments;
    quad(mesh, outerBase[t], outerBase[s], innerBase[t], innerBase[s], false);
  }

  // Window linings: each edge p -> q of the removed outer quad (in the outer
  // wall's winding) is joined to its inner counterpart p' -> q'.
  for (int k = 0; k + 1 < domeRings; ++k) {
    for (int s = 0; s < domeSegments; ++s) {
      if (!isWindow(k, s)) continue;
      const int t = (s + 1) % domeSegments;
      const std::array<std::array<int, 2>, 4> corners = {
          {{k, s}, {k, t}, {k + 1, t}, {k + 1, s}}};
      for (int e = 0; e < 4; ++e) {
        const auto [pr, ps] = corners[e];
        const auto [qr, qs] = corners[(e + 1) % 4];
        const int p = outer.rings[pr][ps], q = outer.rings[qr][qs];
        const int pInner = inner.rings[pr][ps], qInner = inner.rings[qr][qs];
        mesh.triangle(p, q, qInner);
        mesh.triangle(qInner, pInner, p);
      }
    }
  }

  addShellSurface(mesh, outer, false);

  MeshData data = mesh.data();
  fitToBox(data, box);
  return data;
}
