#include "assets/meshes/catalogue.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <fstream>
#include <limits>
#include <set>
#include <sstream>
#include <stdexcept>

Box boundingBox(const std::vector<double>& positions) {
  Box box;
  for (int axis = 0; axis < 3; ++axis) {
    box.min[axis] = std::numeric_limits<double>::infinity();
    box.max[axis] = -std::numeric_limits<double>::infinity();
  }
  for (size_t i = 0; i + 2 < positions.size(); i += 3) {
    for (int axis = 0; axis < 3; ++axis) {
      box.min[axis] = std::min(box.min[axis], positions[i + axis]);
      box.max[axis] = std::max(box.max[axis], positions[i + axis]);
    }
  }
  return box;
}

namespace {

// The figure the row gives; an open one throws, naming the mesh and figure.
template <typename T>
T required(const std::optional<T>& figure, const std::string& mesh, const char* what) {
  if (!figure) {
    throw std::runtime_error("catalogue: " + (mesh.empty() ? std::string("a total row") : mesh) +
                             " leaves its " + what + " open");
  }
  return *figure;
}

}  // namespace

int CatalogueFigures::vertexCount() const { return required(vertices, name, "vertices"); }
int CatalogueFigures::triangleCount() const { return required(triangles, name, "triangles"); }
int CatalogueFigures::uvCount() const { return required(uvs, name, "uvs"); }
double CatalogueFigures::largestV() const { return required(vmax, name, "largest v"); }

Box CatalogueFigures::box() const {
  Box box;
  for (int axis = 0; axis < 3; ++axis) {
    box.min[axis] = required(boxMin[axis], name, "box");
    box.max[axis] = required(boxMax[axis], name, "box");
  }
  return box;
}

const CatalogueFigures& CatalogueModel::mesh(int number) const {
  if (number < 1 || number > static_cast<int>(meshes.size())) {
    throw std::runtime_error("catalogue: " + name + " has no mesh " + std::to_string(number));
  }
  return meshes[static_cast<size_t>(number - 1)];
}

const CatalogueFigures& CatalogueModel::totals() const {
  if (!total) throw std::runtime_error("catalogue: " + name + " has no total row");
  return *total;
}

const CatalogueModel* Catalogue::find(const std::string& model) const {
  for (const CatalogueModel& entry : models) {
    if (entry.name == model) return &entry;
  }
  return nullptr;
}

namespace {

template <typename T>
bool parseFigure(const std::string& word, std::optional<T>& figure) {
  if (word == "-") return true;
  std::istringstream in(word);
  T value{};
  if (!(in >> value) || !in.eof()) return false;
  figure = value;
  return true;
}

bool parseRow(const std::string& line, std::string& model, std::string& mesh,
              CatalogueFigures& figures, std::string& error) {
  std::istringstream in(line);
  std::vector<std::string> words;
  for (std::string word; in >> word;) words.push_back(word);
  if (words.size() < 6) {
    error = "expected at least model, mesh, name and three counts";
    return false;
  }
  model = words[0];
  mesh = words[1];
  figures.name = words[2] == "-" ? "" : words[2];
  bool ok = parseFigure(words[3], figures.vertices) && parseFigure(words[4], figures.triangles) &&
            parseFigure(words[5], figures.uvs);
  size_t next = 6;
  if (words.size() >= 12 && words[6].find('=') == std::string::npos) {
    for (int axis = 0; axis < 3; ++axis) {
      ok = ok && parseFigure(words[6 + 2 * axis], figures.boxMin[axis]) &&
           parseFigure(words[7 + 2 * axis], figures.boxMax[axis]);
    }
    next = 12;
  }
  for (; ok && next < words.size(); ++next) {
    const std::string& word = words[next];
    if (word.rfind("vmax=", 0) == 0) {
      ok = parseFigure(word.substr(5), figures.vmax);
    } else {
      error = "unknown key " + word;
      return false;
    }
  }
  if (!ok) error = "a figure is neither a number nor '-'";
  return ok;
}

std::string meshLabel(const std::string& model, size_t number, const std::string& name) {
  std::ostringstream out;
  out << model << " mesh " << number;
  if (!name.empty()) out << " " << name;
  return out.str();
}

void compareCount(std::vector<std::string>& problems, const std::string& label, const char* what,
                  int actual, const std::optional<int>& expected) {
  if (expected && actual != *expected) {
    std::ostringstream out;
    out << label << ": " << what << " " << actual << ", catalogue " << *expected;
    problems.push_back(out.str());
  }
}

void compareValue(std::vector<std::string>& problems, const std::string& label,
                  const std::string& what, double actual, const std::optional<double>& expected) {
  if (expected && !(std::fabs(actual - *expected) <= catalogueTolerance + 1e-9)) {
    std::ostringstream out;
    out.setf(std::ios::fixed);
    out.precision(4);
    out << label << ": " << what << " " << actual << ", catalogue " << *expected;
    problems.push_back(out.str());
  }
}

void compareFigures(std::vector<std::string>& problems, const std::string& label,
                    const CatalogueFigures& expected, int vertices, int triangles, int uvs,
                    const std::vector<double>& positions, const std::vector<double>* uvTable) {
  compareCount(problems, label, "vertices", vertices, expected.vertices);
  compareCount(problems, label, "triangles", triangles, expected.triangles);
  compareCount(problems, label, "uvs", uvs, expected.uvs);
  if (!positions.empty()) {
    const Box box = boundingBox(positions);
    static const char* const axes[3] = {"x", "y", "z"};
    for (int axis = 0; axis < 3; ++axis) {
      compareValue(problems, label, std::string("box ") + axes[axis] + " min", box.min[axis],
                   expected.boxMin[axis]);
      compareValue(problems, label, std::string("box ") + axes[axis] + " max", box.max[axis],
                   expected.boxMax[axis]);
    }
  }
  if (expected.vmax && uvTable) {
    double vmax = -std::numeric_limits<double>::infinity();
    for (size_t i = 1; i < uvTable->size(); i += 2) vmax = std::max(vmax, (*uvTable)[i]);
    compareValue(problems, label, "largest v", vmax, expected.vmax);
  }
}

}  // namespace

bool loadCatalogue(const std::string& path, Catalogue& catalogue, std::string& error) {
  std::ifstream in(path);
  if (!in) {
    error = "cannot open " + path;
    return false;
  }
  catalogue.models.clear();
  int lineNumber = 0;
  for (std::string line; std::getline(in, line);) {
    ++lineNumber;
    const size_t start = line.find_first_not_of(" \t\r");
    if (start == std::string::npos || line[start] == '#') continue;
    std::string model, mesh, rowError;
    CatalogueFigures figures;
    if (!parseRow(line, model, mesh, figures, rowError)) {
      error = path + ":" + std::to_string(lineNumber) + ": " + rowError;
      return false;
    }
    if (catalogue.models.empty() || catalogue.models.back().name != model) {
      if (catalogue.find(model)) {
        error = path + ":" + std::to_string(lineNumber) + ": rows of model " + model +
                " are not together";
        return false;
      }
      catalogue.models.push_back({model, {}, std::nullopt});
    }
    CatalogueModel& entry = catalogue.models.back();
    if (mesh == "total") {
      entry.total = figures;
    } else if (mesh == std::to_string(entry.meshes.size() + 1)) {
      entry.meshes.push_back(figures);
    } else {
      error = path + ":" + std::to_string(lineNumber) + ": expected mesh " +
              std::to_string(entry.meshes.size() + 1) + " of " + model;
      return false;
    }
  }
  return true;
}

std::vector<std::string> checkAgainstCatalogue(const ModelData& model, const CatalogueModel& entry) {
  std::vector<std::string> problems;
  if (model.meshes.size() != entry.meshes.size()) {
    problems.push_back(model.name + ": " + std::to_string(model.meshes.size()) +
                       " meshes, catalogue " + std::to_string(entry.meshes.size()));
  }
  const size_t common = std::min(model.meshes.size(), entry.meshes.size());
  std::vector<double> allPositions;
  int vertices = 0, triangles = 0, uvs = 0;
  for (size_t i = 0; i < common; ++i) {
    const MeshData& mesh = model.meshes[i];
    const CatalogueFigures& expected = entry.meshes[i];
    const std::string label = meshLabel(model.name, i + 1, expected.name);
    if (!expected.name.empty() && mesh.name != expected.name) {
      problems.push_back(label + ": object name " + mesh.name + ", catalogue " + expected.name);
    }
    if (expected.uvs && (*expected.uvs > 0) != mesh.textured()) {
      problems.push_back(label + (mesh.textured() ? ": textured, catalogue untextured"
                                                  : ": untextured, catalogue textured"));
    }
    compareFigures(problems, label, expected, mesh.vertexCount(), mesh.triangleCount(),
                   mesh.uvCount(), mesh.positions, &mesh.uvs);
    allPositions.insert(allPositions.end(), mesh.positions.begin(), mesh.positions.end());
    vertices += mesh.vertexCount();
    triangles += mesh.triangleCount();
    uvs += mesh.uvCount();
  }
  if (entry.total) {
    compareFigures(problems, model.name + " total", *entry.total, vertices, triangles, uvs,
                   allPositions, nullptr);
  }
  return problems;
}

std::vector<std::string> checkQuality(const MeshData& mesh) {
  std::vector<std::string> problems;
  const std::string label = "mesh " + mesh.name;
  const int vertexCount = mesh.vertexCount();
  const int uvCount = mesh.uvCount();
  const int triangleCount = mesh.triangleCount();
  if (mesh.triangles.size() % 3 != 0 || mesh.positions.size() % 3 != 0 || mesh.uvs.size() % 2 != 0) {
    problems.push_back(label + ": tables are not whole triangles, vertices or UVs");
    return problems;
  }
  if (mesh.textured() && mesh.uvTriangles.size() != mesh.triangles.size()) {
    problems.push_back(label + ": UV triangles do not match the triangles one for one");
    return problems;
  }
  for (int index : mesh.triangles) {
    if (index < 0 || index >= vertexCount) {
      problems.push_back(label + ": vertex index " + std::to_string(index) + " out of range");
      return problems;
    }
  }
  for (int index : mesh.uvTriangles) {
    if (index < 0 || index >= uvCount) {
      problems.push_back(label + ": UV index " + std::to_string(index) + " out of range");
      return problems;
    }
  }

  int degenerate = 0, firstDegenerate = -1, repeated = 0, firstRepeated = -1;
  std::vector<char> vertexUsed(vertexCount, 0), uvUsed(uvCount, 0);
  std::set<std::array<int, 3>> seen;
  for (int f = 0; f < triangleCount; ++f) {
    const int* corner = &mesh.triangles[3 * f];
    const double* a = &mesh.positions[3 * corner[0]];
    const double* b = &mesh.positions[3 * corner[1]];
    const double* c = &mesh.positions[3 * corner[2]];
    const double u[3] = {b[0] - a[0], b[1] - a[1], b[2] - a[2]};
    const double v[3] = {c[0] - a[0], c[1] - a[1], c[2] - a[2]};
    const double n[3] = {u[1] * v[2] - u[2] * v[1], u[2] * v[0] - u[0] * v[2],
                         u[0] * v[1] - u[1] * v[0]};
    const double doubleArea = std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]);
    if (!(doubleArea > 1e-9)) {
      if (degenerate++ == 0) firstDegenerate = f;
    }
    std::array<int, 3> key = {corner[0], corner[1], corner[2]};
    std::sort(key.begin(), key.end());
    if (!seen.insert(key).second) {
      if (repeated++ == 0) firstRepeated = f;
    }
    for (int k = 0; k < 3; ++k) {
      vertexUsed[corner[k]] = 1;
      if (mesh.textured()) uvUsed[mesh.uvTriangles[3 * f + k]] = 1;
    }
  }
  if (degenerate) {
    problems.push_back(label + ": " + std::to_string(degenerate) +
                       " zero-area triangles, the first is triangle " +
                       std::to_string(firstDegenerate));
  }
  if (repeated) {
    problems.push_back(label + ": " + std::to_string(repeated) +
                       " triangles repeat the three vertices of an earlier one, the first is "
                       "triangle " + std::to_string(firstRepeated));
  }
  const auto unused = [&](const std::vector<char>& used, const char* what) {
    const long count = std::count(used.begin(), used.end(), 0);
    if (count) {
      const long first = std::find(used.begin(), used.end(), 0) - used.begin();
      problems.push_back(label + ": " + std::to_string(count) + " " + what +
                         " never referenced, the first is " + std::to_string(first));
    }
  };
  unused(vertexUsed, "vertices");
  if (mesh.textured()) unused(uvUsed, "UVs");
  return problems;
}

std::vector<std::string> checkModel(const ModelData& model, const CatalogueModel& entry) {
  std::vector<std::string> problems;
  for (const MeshData& mesh : model.meshes) {
    for (const std::string& problem : checkQuality(mesh)) {
      problems.push_back(model.name + " " + problem);
    }
  }
  for (const std::string& problem : checkAgainstCatalogue(model, entry)) problems.push_back(problem);
  return problems;
}
