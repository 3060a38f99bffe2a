#include "tools/modeller/mesh_builder.h"

int MeshBuilder::vertex(Vec3 p) {
  data_.positions.insert(data_.positions.end(), {p.x, p.y, p.z});
  return vertexCount() - 1;
}

int MeshBuilder::uv(double u, double v) {
  data_.uvs.insert(data_.uvs.end(), {u, v});
  return uvCount() - 1;
}

void MeshBuilder::triangle(int a, int b, int c) {
  data_.triangles.insert(data_.triangles.end(), {a, b, c});
}

void MeshBuilder::triangle(int a, int b, int c, int ta, int tb, int tc) {
  triangle(a, b, c);
  data_.uvTriangles.insert(data_.uvTriangles.end(), {ta, tb, tc});
}

Vec3 MeshBuilder::position(int index) const {
  const double* p = &data_.positions[3 * static_cast<size_t>(index)];
  return {p[0], p[1], p[2]};
}

void MeshBuilder::setPosition(int index, Vec3 p) {
  double* q = &data_.positions[3 * static_cast<size_t>(index)];
  q[0] = p.x;
  q[1] = p.y;
  q[2] = p.z;
}

void fitToBox(MeshData& mesh, const Box& target) {
  const Box box = boundingBox(mesh.positions);
  for (int axis = 0; axis < 3; ++axis) {
    const double extent = box.max[axis] - box.min[axis];
    const double scale = extent > 0 ? (target.max[axis] - target.min[axis]) / extent : 1.0;
    for (size_t i = axis; i < mesh.positions.size(); i += 3) {
      double& value = mesh.positions[i];
      value = target.min[axis] + (value - box.min[axis]) * scale;
    }
  }
}

void translate(MeshData& mesh, Vec3 offset) {
  const double d[3] = {offset.x, offset.y, offset.z};
  for (size_t i = 0; i < mesh.positions.size(); ++i) mesh.positions[i] += d[i % 3];
}

void rotate(MeshData& mesh, Vec3 axis, double angle) {
  for (size_t i = 0; i + 2 < mesh.positions.size(); i += 3) {
    const Vec3 p = rotateAbout({mesh.positions[i], mesh.positions[i + 1], mesh.positions[i + 2]},
                               axis, angle);
    mesh.positions[i] = p.x;
    mesh.positions[i + 1] = p.y;
    mesh.positions[i + 2] = p.z;
  }
}
