// A sphere sliding on a walkway (the stage's sliding parts are its spheres),
// shaped as a closed band of 24 sections of 12 points around the walkway's
// axis, 288 vertices and 576 triangles. Its section is a half ellipse
// outside (the rounded face that catches the eye) and a flattened curve
// inside, wide along the walkway and shallow across it, so the hole stays
// well clear of the walkway it encircles.
//
// Texture: a cylindrical map about the sphere's axis: u goes round the sphere
// (24 + 1 columns, the last closing the seam), v follows the position along
// the axis. Points at the same axial position share an entry; the outer and
// inner faces differ in shape, so only their middles coincide and each
// column has 11 entries: 25 x 11 = 275.
#include <algorithm>
#include <array>
#include <cmath>

#include "tools/modeller/mesh_builder.h"
#include "tools/modeller/primitives.h"
#include "tools/modeller/stage_parts.h"

namespace {

constexpr int sphereSegments = 24;
constexpr int sphereSectionPoints = 12;
constexpr double sphereInnerRadius = 12.6;
// The inner face bulges as |cos|^e, |sin|^e: flatter than the outer ellipse.
constexpr double innerFaceExponent = 0.5;
// Texture: two turns of u round the sphere (an integer number of repeats after
// the program's scale, so the seam matches), square texels on the outer face.
constexpr double sphereTurns = 2.0;
constexpr double sphereUvScale = 7.0;
constexpr double degrees = pi / 180.0;
constexpr double sameAxial = 1e-9;

struct SectionPoint {
  double radial;  // distance from the sphere's axis
  double axial;   // position along the axis from the sphere's middle plane
};

// sign(value) |value|^exponent, with the rounding dust of sin and cos at
// multiples of 90 degrees taken as the exact zero it stands for.
double signedPower(double value, double exponent) {
  if (std::fabs(value) < sameAxial) return 0.0;
  return std::copysign(std::pow(std::fabs(value), exponent), value);
}

// Counter-clockwise in the (radial, axial) plane, starting at the back edge.
std::array<SectionPoint, sphereSectionPoints> sphereSection(double outerRadius, double halfWidth) {
  const double middle = 0.5 * (outerRadius + sphereInnerRadius);
  const double depth = 0.5 * (outerRadius - sphereInnerRadius);
  std::array<SectionPoint, sphereSectionPoints> section{};
  for (int j = 0; j < sphereSectionPoints; ++j) {
    const double angle = (-90.0 + 360.0 * j / sphereSectionPoints) * degrees;
    const bool outerFace = std::cos(angle) > -sameAxial;
    const double exponent = outerFace ? 1.0 : innerFaceExponent;
    section[j] = {middle + depth * signedPower(std::cos(angle), exponent),
                  halfWidth * signedPower(std::sin(angle), exponent)};
  }
  return section;
}

}  // namespace

// The 24 sections round the axis, joined band by band, fitted into the box.
MeshData buildStageSphere(const std::string& name, const Box& box, Vec3 axis) {
  const Vec3 centre{0.5 * (box.min[0] + box.max[0]), 0.5 * (box.min[1] + box.max[1]),
                    0.5 * (box.min[2] + box.max[2])};
  const double outerRadius = 0.5 * (box.max[2] - box.min[2]);
  const Vec3 extent{box.max[0] - box.min[0], box.max[1] - box.min[1], 0};
  const double halfWidth = 0.5 * std::fabs(dot(extent, axis));
  const std::array<SectionPoint, sphereSectionPoints> section = sphereSection(outerRadius, halfWidth);

  // The distinct axial positions, and which one each section point takes.
  std::vector<double> levels;
  for (const SectionPoint& p : section) levels.push_back(p.axial);
  std::sort(levels.begin(), levels.end());
  levels.erase(std::unique(levels.begin(), levels.end(),
                           [](double a, double b) { return std::fabs(a - b) < sameAxial; }),
               levels.end());
  std::array<int, sphereSectionPoints> level{};
  for (int j = 0; j < sphereSectionPoints; ++j) {
    level[j] = static_cast<int>(std::lower_bound(levels.begin(), levels.end(),
                                                 section[j].axial - sameAxial) - levels.begin());
  }

  Frame frame;
  frame.origin = centre;
  frame.tangent = axis;
  frame.normal = {0, 0, 1};
  frame.binormal = cross(axis, frame.normal);

  MeshBuilder mesh(name);
  const double tile = 2.0 * pi * outerRadius / (sphereTurns * sphereUvScale);
  std::vector<Ring> rings;
  for (int i = 0; i < sphereSegments; ++i) {
    const double angle = 2.0 * pi * i / sphereSegments;
    Ring ring;
    for (const SectionPoint& p : section) {
      ring.push_back(mesh.vertex(frame.around(angle, p.radial) + axis * p.axial));
    }
    rings.push_back(ring);
  }
  std::vector<UvRow> uvRows;
  for (int i = 0; i <= sphereSegments; ++i) {
    std::vector<int> entries;
    for (double axial : levels) {
      entries.push_back(mesh.uv(sphereTurns * i / sphereSegments,
                                (axial + halfWidth) / (tile * sphereUvScale)));
    }
    UvRow row;
    for (int j = 0; j <= sphereSectionPoints; ++j) row.push_back(entries[level[j % sphereSectionPoints]]);
    uvRows.push_back(row);
  }
  // Joined from the next section back to this one, so the faces point outwards.
  for (int i = 0; i < sphereSegments; ++i) {
    const int next = (i + 1) % sphereSegments;
    bridge(mesh, rings[next], rings[i], true, uvRows[i + 1], uvRows[i]);
  }

  MeshData data = mesh.data();
  fitToBox(data, box);
  return data;
}
