// The stage's four kinds of parts. Each is modelled about its own axis at its
// true size and then fitted into the box it occupies on the stage (+z up).
#pragma once
#include <string>

#include "assets/meshes/mesh_data.h"
#include "tools/modeller/geometry.h"

// The central column: a 12-sided base, shaft and capital, capped at both ends.
MeshData buildStageColumn(const std::string& name, const Box& box);

// A double-walled dome standing in the box, with windows cut through both walls.
MeshData buildStageDome(const std::string& name, const Box& box);

// A straight walkway girder running along outward (a unit x or y direction)
// from the stage centre, its section filling the box across that direction.
MeshData buildStageWalkway(const std::string& name, const Box& box, Vec3 outward);

// A sliding sphere around the walkway that runs along axis (a unit x or y
// direction), centred in the box: a flat band with a rounded outer face.
MeshData buildStageSphere(const std::string& name, const Box& box, Vec3 axis);
