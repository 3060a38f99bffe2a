// Reading one model's OBJ file into plain tables, strictly: one "o" block
// per mesh, each with its own run of v (and vt) lines, and only triangle
// faces that refer to that block's own vertices and texture coordinates.
#pragma once
#include <istream>
#include <string>
#include <vector>

#include "assets/meshes/catalogue.h"
#include "assets/meshes/mesh_data.h"

// Reads OBJ text into model (named modelName), one mesh per "o" block. On the
// first thing that breaks the rules above returns false with a message that
// names the block (mesh number and object name), the face and the figure.
bool readObjModel(std::istream& in, const std::string& modelName, ModelData& model,
                  std::string& error);

// Reads the OBJ file at path, then holds the model against its catalogue
// entry and the quality floor. Returns every problem found, each message
// starting with the path; empty when the model can be converted.
std::vector<std::string> readAndCheckObjFile(const std::string& path, const std::string& modelName,
                                             const CatalogueModel& entry, ModelData& model);
