#include "assets/meshes/obj_reader.h"

#include <tiny_obj_loader.h>

#include <cmath>
#include <fstream>

namespace {

constexpr int cornersPerFace = 3;

// What the reader knows while tinyobjloader walks the file line by line.
struct ReadState {
  ModelData* model = nullptr;
  std::string error;     // the first problem; later lines are then ignored
  int vertexLines = 0;   // v lines so far in the whole file
  int uvLines = 0;       // vt lines so far in the whole file
  int blockFirstVertex = 0;  // 0-based file index of the block's first v line
  int blockFirstUv = 0;
  int blockFaces = 0;

  bool failed() const { return !error.empty(); }
  MeshData* block() { return model->meshes.empty() ? nullptr : &model->meshes.back(); }

  // The number of the latest block's mesh.
  MeshNumber blockNumber() const {
    return MeshNumber::ofIndex(static_cast<int>(model->meshes.size()) - 1);
  }

  // "stage mesh 2 stageDome1" for the current block.
  std::string blockLabel() const {
    return model->name + " mesh " + std::to_string(blockNumber().value) + " " +
           model->meshes.back().name;
  }

  void fail(const std::string& message) {
    if (!failed()) error = message;
  }
};

ReadState& stateOf(void* user) { return *static_cast<ReadState*>(user); }

std::string trimmed(const std::string& text) {
  const size_t first = text.find_first_not_of(" \t\r\n");
  if (first == std::string::npos) return "";
  const size_t last = text.find_last_not_of(" \t\r\n");
  return text.substr(first, last - first + 1);
}

void onObject(void* user, const char* name) {
  ReadState& state = stateOf(user);
  if (state.failed()) return;
  MeshData mesh;
  mesh.name = trimmed(name);
  if (mesh.name.empty()) {
    state.fail("o line without a name after " + state.model->name + " mesh " +
               std::to_string(state.blockNumber().value));
    return;
  }
  state.model->meshes.push_back(mesh);
  state.blockFirstVertex = state.vertexLines;
  state.blockFirstUv = state.uvLines;
  state.blockFaces = 0;
}

void onVertex(void* user, tinyobj::real_t x, tinyobj::real_t y, tinyobj::real_t z,
              tinyobj::real_t) {
  ReadState& state = stateOf(user);
  if (state.failed()) return;
  ++state.vertexLines;
  MeshData* block = state.block();
  if (!block) {
    state.fail("v line " + std::to_string(state.vertexLines) + " comes before the first o line");
    return;
  }
  if (!std::isfinite(x) || !std::isfinite(y) || !std::isfinite(z)) {
    state.fail(state.blockLabel() + ": v line " + std::to_string(state.vertexLines) +
               " is not three finite numbers");
    return;
  }
  block->positions.insert(block->positions.end(), {x, y, z});
}

void onTexcoord(void* user, tinyobj::real_t u, tinyobj::real_t v, tinyobj::real_t) {
  ReadState& state = stateOf(user);
  if (state.failed()) return;
  ++state.uvLines;
  MeshData* block = state.block();
  if (!block) {
    state.fail("vt line " + std::to_string(state.uvLines) + " comes before the first o line");
    return;
  }
  if (!std::isfinite(u) || !std::isfinite(v)) {
    state.fail(state.blockLabel() + ": vt line " + std::to_string(state.uvLines) +
               " is not two finite numbers");
    return;
  }
  block->uvs.insert(block->uvs.end(), {u, v});
}

// Turns an OBJ index (1-based from the file's start, or negative from the
// last line read) into a 0-based index of the block's own run [first, count),
// or -1 when it lies outside that run.
int ownIndex(int objIndex, int first, int count) {
  const int fileIndex = objIndex > 0 ? objIndex - 1 : count + objIndex;
  if (objIndex == 0 || fileIndex < first || fileIndex >= count) return -1;
  return fileIndex - first;
}

void onFace(void* user, tinyobj::index_t* corners, int cornerCount) {
  ReadState& state = stateOf(user);
  if (state.failed()) return;
  MeshData* block = state.block();
  if (!block) {
    state.fail("f line comes before the first o line");
    return;
  }
  const int face = ++state.blockFaces;
  const std::string where = state.blockLabel() + ", face " + std::to_string(face);
  if (cornerCount != cornersPerFace) {
    state.fail(where + ": " + std::to_string(cornerCount) +
               " corners; every face must be a triangle");
    return;
  }
  const bool textured = corners[0].texcoord_index != 0;
  if (face > 1 && textured != block->textured()) {
    state.fail(where + (textured ? ": has texture coordinates, earlier faces of the block have none"
                                 : ": has no texture coordinates, earlier faces of the block have"));
    return;
  }
  int vertex[cornersPerFace], uv[cornersPerFace];
  for (int k = 0; k < cornersPerFace; ++k) {
    vertex[k] = ownIndex(corners[k].vertex_index, state.blockFirstVertex, state.vertexLines);
    if (vertex[k] < 0) {
      state.fail(where + ": vertex " + std::to_string(corners[k].vertex_index) +
                 " is not one of the block's own vertices " +
                 std::to_string(state.blockFirstVertex + 1) + ".." +
                 std::to_string(state.vertexLines));
      return;
    }
    if ((corners[k].texcoord_index != 0) != textured) {
      state.fail(where + ": some corners have texture coordinates and some do not");
      return;
    }
    if (!textured) continue;
    uv[k] = ownIndex(corners[k].texcoord_index, state.blockFirstUv, state.uvLines);
    if (uv[k] < 0) {
      state.fail(where + ": texture coordinate " + std::to_string(corners[k].texcoord_index) +
                 " is not one of the block's own texture coordinates " +
                 std::to_string(state.blockFirstUv + 1) + ".." + std::to_string(state.uvLines));
      return;
    }
  }
  block->triangles.insert(block->triangles.end(), vertex, vertex + cornersPerFace);
  if (textured) block->uvTriangles.insert(block->uvTriangles.end(), uv, uv + cornersPerFace);
}

}  // namespace

bool readObjModel(std::istream& in, const std::string& modelName, ModelData& model,
                  std::string& error) {
  model = ModelData{modelName, {}};
  ReadState state;
  state.model = &model;
  tinyobj::callback_t callbacks;
  callbacks.vertex_cb = onVertex;
  callbacks.texcoord_cb = onTexcoord;
  callbacks.index_cb = onFace;
  callbacks.object_cb = onObject;
  std::string warning, loaderError;
  if (!tinyobj::LoadObjWithCallback(in, callbacks, &state, nullptr, &warning, &loaderError)) {
    state.fail(loaderError.empty() ? "cannot be read" : trimmed(loaderError));
  }
  error = state.error;
  return !state.failed();
}

std::vector<std::string> readAndCheckObjFile(const std::string& path, const std::string& modelName,
                                             const CatalogueModel& entry, ModelData& model) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return {path + ": cannot be opened"};
  std::string error;
  if (!readObjModel(in, modelName, model, error)) return {path + ": " + error};
  std::vector<std::string> problems;
  for (const std::string& problem : checkModel(model, entry)) problems.push_back(path + ": " + problem);
  return problems;
}
