// The model catalogue (catalogue.txt beside this file): the figures every mesh
// must meet, and the checks that hold model data against them.
#pragma once
#include <optional>
#include <string>
#include <vector>

#include "assets/meshes/mesh_data.h"

// Figures of one mesh, or of a whole model (its total row); unset = open.
struct CatalogueFigures {
  std::string name;
  std::optional<int> vertices;
  std::optional<int> triangles;
  std::optional<int> uvs;
  std::optional<double> boxMin[3];
  std::optional<double> boxMax[3];
  std::optional<double> vmax;

  // The figures a recipe builds to. Each throws std::runtime_error, naming
  // the mesh and the figure, where the row leaves the figure open.
  int vertexCount() const;
  int triangleCount() const;
  int uvCount() const;
  Box box() const;
  double largestV() const;
};

struct CatalogueModel {
  std::string name;
  std::vector<CatalogueFigures> meshes;  // in drawing order
  std::optional<CatalogueFigures> total;

  // The mesh with the 1-based catalogue number; a number the model does not
  // have throws std::runtime_error.
  const CatalogueFigures& mesh(int number) const;
  // The total row; a model without one throws std::runtime_error.
  const CatalogueFigures& totals() const;
};

struct Catalogue {
  std::vector<CatalogueModel> models;
  const CatalogueModel* find(const std::string& model) const;
};

// Boxes and vmax are met to within this distance.
constexpr double catalogueTolerance = 0.01;

// Reads the catalogue; on failure returns false with the reason in error.
bool loadCatalogue(const std::string& path, Catalogue& catalogue, std::string& error);

// Every way the model differs from its catalogue entry, one message each,
// naming the mesh and the figure ("stage mesh 3 stageDome2: triangles 570,
// catalogue 576"). Empty when the model matches.
std::vector<std::string> checkAgainstCatalogue(const ModelData& model, const CatalogueModel& entry);

// The quality floor of one mesh: indices in range, no zero-area triangle,
// every vertex and UV referenced, no two triangles over the same three
// vertices. One message per problem kind; empty when clean.
std::vector<std::string> checkQuality(const MeshData& mesh);

// Both checks for a model: quality of every mesh, then the catalogue.
std::vector<std::string> checkModel(const ModelData& model, const CatalogueModel& entry);
