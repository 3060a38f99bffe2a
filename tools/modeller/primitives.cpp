#include "tools/modeller/primitives.h"

Ring addRing(MeshBuilder& mesh, const Frame& frame, int sides, double radius, double startAngle) {
  Ring ring;
  ring.reserve(sides);
  for (int i = 0; i < sides; ++i) {
    ring.push_back(mesh.vertex(frame.around(startAngle + 2.0 * pi * i / sides, radius)));
  }
  return ring;
}

UvRow addUvRow(MeshBuilder& mesh, int count, double u0, double u1, double v) {
  UvRow row;
  row.reserve(count);
  for (int i = 0; i < count; ++i) {
    const double t = count > 1 ? static_cast<double>(i) / (count - 1) : 0.0;
    row.push_back(mesh.uv(u0 + (u1 - u0) * t, v));
  }
  return row;
}

void bridge(MeshBuilder& mesh, const Ring& a, const Ring& b, bool closed, const UvRow& uvA,
            const UvRow& uvB) {
  const int n = static_cast<int>(a.size());
  const int quads = closed ? n : n - 1;
  const bool textured = !uvA.empty();
  for (int i = 0; i < quads; ++i) {
    const int j = (i + 1) % n;
    const int a0 = a[i], a1 = a[j], b0 = b[i], b1 = b[j];
    if (textured) {
      const int ta0 = uvA[i], ta1 = uvA[i + 1], tb0 = uvB[i], tb1 = uvB[i + 1];
      mesh.triangle(a0, a1, b1, ta0, ta1, tb1);
      mesh.triangle(b1, b0, a0, tb1, tb0, ta0);
    } else {
      mesh.triangle(a0, a1, b1);
      mesh.triangle(b1, b0, a0);
    }
  }
}

void fan(MeshBuilder& mesh, int centre, const Ring& ring, bool reverse, int uvCentre,
         const UvRow& uvRing) {
  const int n = static_cast<int>(ring.size());
  const bool textured = !uvRing.empty();
  for (int i = 0; i < n; ++i) {
    const int j = (i + 1) % n;
    int p = ring[i], q = ring[j];
    int tp = textured ? uvRing[i] : -1, tq = textured ? uvRing[i + 1] : -1;
    if (reverse) {
      std::swap(p, q);
      std::swap(tp, tq);
    }
    if (textured) {
      mesh.triangle(centre, p, q, uvCentre, tp, tq);
    } else {
      mesh.triangle(centre, p, q);
    }
  }
}

void bridgeRun(MeshBuilder& mesh, const std::vector<Ring>& rings, const std::vector<UvRow>& uvRows,
               bool closed) {
  for (size_t k = 0; k + 1 < rings.size(); ++k) {
    if (uvRows.empty()) {
      bridge(mesh, rings[k], rings[k + 1], closed);
    } else {
      bridge(mesh, rings[k], rings[k + 1], closed, uvRows[k], uvRows[k + 1]);
    }
  }
}

std::vector<Frame> carryFrames(const std::vector<Vec3>& path, Vec3 firstNormal) {
  std::vector<Frame> frames(path.size());
  if (path.size() < 2) return frames;
  Vec3 previousTangent = normalized(path[1] - path[0]);
  Vec3 normal = firstNormal;
  for (size_t i = 0; i < path.size(); ++i) {
    Vec3 tangent;
    if (i == 0) {
      tangent = normalized(path[1] - path[0]);
    } else if (i + 1 == path.size()) {
      tangent = normalized(path[i] - path[i - 1]);
    } else {
      tangent = normalized(normalized(path[i + 1] - path[i]) + normalized(path[i] - path[i - 1]));
    }
    // Carry the normal over by the smallest rotation from the previous tangent.
    const Vec3 axis = cross(previousTangent, tangent);
    const double s = length(axis);
    if (s > 1e-12) normal = rotateAbout(normal, axis * (1.0 / s), std::atan2(s, dot(previousTangent, tangent)));
    normal = normalized(normal - tangent * dot(normal, tangent));
    frames[i].origin = path[i];
    frames[i].tangent = tangent;
    frames[i].normal = normal;
    frames[i].binormal = cross(tangent, normal);
    previousTangent = tangent;
  }
  return frames;
}

std::vector<Frame> pathFrames(const std::vector<Vec3>& path) {
  if (path.size() < 2) return std::vector<Frame>(path.size());
  const Vec3 firstTangent = normalized(path[1] - path[0]);
  // A first normal across the first tangent, from the axis it is least aligned with.
  const Vec3 seed = std::fabs(firstTangent.z) < 0.9 ? Vec3{0, 0, 1} : Vec3{1, 0, 0};
  return carryFrames(path, normalized(cross(cross(firstTangent, seed), firstTangent)));
}

std::vector<Ring> addLathe(MeshBuilder& mesh, const std::vector<std::pair<double, double>>& profile,
                           int sides, Vec3 centre, bool textured, double uRepeat, double vPerUnit) {
  std::vector<Ring> rings;
  std::vector<UvRow> uvRows;
  Frame frame;
  double arc = 0.0;
  for (size_t k = 0; k < profile.size(); ++k) {
    if (k > 0) {
      arc += std::hypot(profile[k].first - profile[k - 1].first,
                        profile[k].second - profile[k - 1].second);
    }
    frame.origin = centre + Vec3{0, 0, profile[k].second};
    rings.push_back(addRing(mesh, frame, sides, profile[k].first));
    if (textured) uvRows.push_back(addUvRow(mesh, sides + 1, 0.0, uRepeat, arc * vPerUnit));
  }
  bridgeRun(mesh, rings, uvRows, true);
  return rings;
}

std::vector<Ring> addTube(MeshBuilder& mesh, const std::vector<Vec3>& path,
                          const std::vector<double>& radii, int sides, bool textured,
                          double uRepeat, double vPerUnit) {
  const std::vector<Frame> frames = pathFrames(path);
  std::vector<Ring> rings;
  std::vector<UvRow> uvRows;
  double arc = 0.0;
  for (size_t k = 0; k < path.size(); ++k) {
    if (k > 0) arc += length(path[k] - path[k - 1]);
    rings.push_back(addRing(mesh, frames[k], sides, radii[k]));
    if (textured) uvRows.push_back(addUvRow(mesh, sides + 1, 0.0, uRepeat, arc * vPerUnit));
  }
  bridgeRun(mesh, rings, uvRows, true);
  return rings;
}

void addTorus(MeshBuilder& mesh, const Frame& frame, double majorRadius, double minorRadius,
              int majorSegments, int minorSegments, bool textured) {
  std::vector<Ring> rings;
  std::vector<UvRow> uvRows;
  for (int i = 0; i < majorSegments; ++i) {
    const double angle = 2.0 * pi * i / majorSegments;
    const Vec3 radial = frame.normal * std::cos(angle) + frame.binormal * std::sin(angle);
    Frame tubeFrame;
    tubeFrame.origin = frame.origin + radial * majorRadius;
    tubeFrame.tangent = cross(frame.tangent, radial);
    tubeFrame.normal = radial;
    tubeFrame.binormal = frame.tangent;
    rings.push_back(addRing(mesh, tubeFrame, minorSegments, minorRadius));
  }
  if (textured) {
    for (int i = 0; i <= majorSegments; ++i) {
      uvRows.push_back(addUvRow(mesh, minorSegments + 1, 0.0, 1.0,
                                static_cast<double>(i) / majorSegments));
    }
  }
  for (int i = 0; i < majorSegments; ++i) {
    const Ring& next = rings[(i + 1) % majorSegments];
    if (textured) {
      bridge(mesh, rings[i], next, true, uvRows[i], uvRows[i + 1]);
    } else {
      bridge(mesh, rings[i], next, true);
    }
  }
}

void addUvSphere(MeshBuilder& mesh, Vec3 centre, double radius, int slices, int stacks,
                 bool textured) {
  const int south = mesh.vertex(centre + Vec3{0, 0, -radius});
  std::vector<Ring> rings;
  std::vector<UvRow> uvRows;
  for (int k = 1; k < stacks; ++k) {
    const double polar = pi * k / stacks;  // from the south pole
    Frame frame;
    frame.origin = centre + Vec3{0, 0, -radius * std::cos(polar)};
    rings.push_back(addRing(mesh, frame, slices, radius * std::sin(polar)));
    if (textured) uvRows.push_back(addUvRow(mesh, slices + 1, 0.0, 1.0, static_cast<double>(k) / stacks));
  }
  const int north = mesh.vertex(centre + Vec3{0, 0, radius});
  const int uvSouth = textured ? mesh.uv(0.5, 0.0) : -1;
  const int uvNorth = textured ? mesh.uv(0.5, 1.0) : -1;
  if (textured) {
    fan(mesh, south, rings.front(), true, uvSouth, uvRows.front());
  } else {
    fan(mesh, south, rings.front(), true);
  }
  bridgeRun(mesh, rings, uvRows, true);
  if (textured) {
    fan(mesh, north, rings.back(), false, uvNorth, uvRows.back());
  } else {
    fan(mesh, north, rings.back(), false);
  }
}

std::vector<Ring> addGrid(MeshBuilder& mesh, int rows, int columns,
                          const std::function<Vec3(int, int)>& at, bool textured, double uScale,
                          double vScale) {
  std::vector<Ring> grid(rows);
  std::vector<UvRow> uvRows(rows);
  for (int r = 0; r < rows; ++r) {
    for (int c = 0; c < columns; ++c) {
      grid[r].push_back(mesh.vertex(at(r, c)));
      if (textured) {
        uvRows[r].push_back(mesh.uv(uScale * c / (columns - 1), vScale * r / (rows - 1)));
      }
    }
  }
  bridgeRun(mesh, grid, textured ? uvRows : std::vector<UvRow>{}, false);
  return grid;
}
