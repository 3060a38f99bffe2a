// Writing a model's tables as C++ constant data: a header that declares each
// mesh's arrays and the model's table list (<model>Tables), and a source that
// defines the arrays. Vertices and UVs are doubles that read back to exactly
// the values held; index lists are 32-bit with -1 after each triangle.
#pragma once
#include <string>

#include "assets/meshes/mesh_data.h"

// Where the generated files go in the include path: "mesh_tables/<model>_tables.h".
std::string tablesHeaderName(const std::string& modelName);

std::string tablesHeader(const ModelData& model);
std::string tablesSource(const ModelData& model);

// A model name the tables can be named after: a letter, then letters or digits.
bool isTableName(const std::string& modelName);
