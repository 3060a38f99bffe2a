#include "tools/modeller/obj_writer.h"

#include <cmath>
#include <cstdio>
#include <fstream>

namespace {

// Six decimals, and never "-0.000000".
void appendNumber(std::string& out, double value) {
  char text[48];
  if (std::fabs(value) < 5e-7) value = 0.0;
  std::snprintf(text, sizeof text, " %.6f", value);
  out += text;
}

}  // namespace

std::string objText(const ModelData& model) {
  std::string out = "# " + model.name +
                    " model, written by kesh-modeller (tools/modeller); the build turns it into "
                    "constant tables.\n";
  size_t vertexBase = 1, uvBase = 1;
  for (const MeshData& mesh : model.meshes) {
    out += "o " + mesh.name + "\n";
    for (size_t i = 0; i < mesh.positions.size(); i += 3) {
      out += "v";
      for (int k = 0; k < 3; ++k) appendNumber(out, mesh.positions[i + k]);
      out += "\n";
    }
    for (size_t i = 0; i < mesh.uvs.size(); i += 2) {
      out += "vt";
      for (int k = 0; k < 2; ++k) appendNumber(out, mesh.uvs[i + k]);
      out += "\n";
    }
    for (size_t f = 0; f < mesh.triangles.size(); f += 3) {
      out += "f";
      for (int k = 0; k < 3; ++k) {
        out += " " + std::to_string(vertexBase + mesh.triangles[f + k]);
        if (mesh.textured()) out += "/" + std::to_string(uvBase + mesh.uvTriangles[f + k]);
      }
      out += "\n";
    }
    vertexBase += mesh.vertexCount();
    uvBase += mesh.uvCount();
  }
  return out;
}

bool writeObj(const std::string& path, const ModelData& model) {
  std::ofstream out(path, std::ios::binary);
  if (!out) return false;
  out << objText(model);
  return static_cast<bool>(out);
}
