// Writing model data as Wavefront OBJ: one "o" block per mesh, in drawing
// order, each with its own v, vt and f lines (one triangle per f line).
#pragma once
#include <string>

#include "assets/meshes/mesh_data.h"

// The OBJ text of a model. Numbers are printed with six decimals, so the same
// model always gives the same bytes.
std::string objText(const ModelData& model);

// Writes objText(model) to path; false when the file cannot be written.
bool writeObj(const std::string& path, const ModelData& model);
