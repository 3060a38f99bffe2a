#include "assets/models.h"

#include "assets/model_styles.h"
#include "mesh_tables/bird_tables.h"
#include "mesh_tables/earth_tables.h"
#include "mesh_tables/fireball_tables.h"
#include "mesh_tables/intro_tables.h"
#include "mesh_tables/marker_tables.h"
#include "mesh_tables/pool_tables.h"
#include "mesh_tables/stage_tables.h"
#include "mesh_tables/tree_tables.h"

// Start colours: A black, B and C white.
float fireballCornerColours[3][3] = {{0.0f, 0.0f, 0.0f}, {1.0f, 1.0f, 1.0f}, {1.0f, 1.0f, 1.0f}};

namespace {

constexpr MeshNumber landMesh = 1;
constexpr MeshNumber oceanMesh = 2;
constexpr int rgbFloats = 3;
enum Corner { cornerA, cornerB, cornerC };

// The descriptors: generated geometry joined with each mesh's style.
constexpr auto stageMeshes = describeMeshes(stageTables, stageStyles);
constexpr auto markerMeshes = describeMeshes(markerTables, markerStyles);
constexpr auto birdMeshes = describeMeshes(birdTables, birdStyles);
constexpr auto poolMeshes = describeMeshes(poolTables, poolStyles);
constexpr auto earthMeshes = describeMeshes(earthTables, earthStyles);
constexpr auto treeMeshes = describeMeshes(treeTables, treeStyles);
constexpr auto introMeshes = describeMeshes(introTables, introStyles);
constexpr auto fireballMeshes = describeMeshes(fireballTables, fireballStyles);

// What a mesh number outside the model stands for: no triangles, no state.
constexpr Mesh noMesh{};

// Copies one colour into a corner of the model's corner colours.
void setCorner(float (*colours)[3], Corner corner, const float* rgb) {
  if (!colours) return;
  for (int i = 0; i < rgbFloats; ++i) colours[corner][i] = rgb[i];
}

}  // namespace

// Each model: its catalogue name, its meshes and, for the fireball, its
// settable corner colours.
const MeshModel stageModel{stageModelName, stageMeshes.data(),
                           static_cast<int>(stageMeshes.size()), nullptr};
const MeshModel markerModel{markerModelName, markerMeshes.data(),
                            static_cast<int>(markerMeshes.size()), nullptr};
const MeshModel birdModel{birdModelName, birdMeshes.data(), static_cast<int>(birdMeshes.size()),
                          nullptr};
const MeshModel poolModel{poolModelName, poolMeshes.data(), static_cast<int>(poolMeshes.size()),
                          nullptr};
const MeshModel earthModel{earthModelName, earthMeshes.data(),
                           static_cast<int>(earthMeshes.size()), nullptr};
const MeshModel treeModel{treeModelName, treeMeshes.data(), static_cast<int>(treeMeshes.size()),
                          nullptr};
const MeshModel introModel{introModelName, introMeshes.data(),
                           static_cast<int>(introMeshes.size()), nullptr};
const MeshModel fireballModel{fireballModelName, fireballMeshes.data(),
                              static_cast<int>(fireballMeshes.size()), fireballCornerColours};

const Mesh& MeshModel::mesh(MeshNumber number) const {
  if (!number.within(meshCount)) return noMesh;
  return meshes[number.index()];
}

void MeshModel::drawAll() const {
  for (int i = 0; i < meshCount; ++i) drawMesh(meshes[i]);
}

void MeshModel::drawLand() const { drawMesh(mesh(landMesh)); }

void MeshModel::drawOcean() const { drawMesh(mesh(oceanMesh)); }

void MeshModel::setCornerColorA(const float* rgb) const { setCorner(cornerColours, cornerA, rgb); }

void MeshModel::setCornerColorB(const float* rgb) const { setCorner(cornerColours, cornerB, rgb); }

void MeshModel::setCornerColorC(const float* rgb) const { setCorner(cornerColours, cornerC, rgb); }
